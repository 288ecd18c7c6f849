// The state of one script run shared by every activation (the run context), the state of one
// procedure call (the activation), and the program-wide screen state. The engine, the
// procedures, the screen statements, the control bar and the menus all work on these.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "anim/stage.h"
#include "construct/construction_call.h"
#include "draw/image.h"
#include "geom/records.h"
#include "interp/control_bar_on_screen.h"
#include "interp/trails.h"
#include "script/instruction_table.h"
#include "script/opcodes.h"
#include "script/symbols.h"
#include "settings/settings.h"

namespace vekora {

// Bits of the visibility flag of one object index.
constexpr std::uint8_t VisiblePoint = 0x1;
constexpr std::uint8_t VisibleLine = 0x2;
constexpr std::uint8_t VisibleCircle = 0x4;

// Rows of the window below the page that belong to the control bar.
constexpr std::int32_t ControlBarRows = 20;

// More nested activations than this end the run with error 20, reported with the number of
// the procedure that made the call, so runaway recursion cannot exhaust the stack.
constexpr std::int32_t MaxActivationDepth = 64;

// The script's objects, indexed by the numbers the compiler gave their names.
struct ObjectLists {
    std::vector<Point> points;
    std::vector<Line> lines;
    std::vector<Circle> circles;

    // The object of a number a row names. Callers check the number first: DecodeRow does for
    // every object operand of a row.
    Point& PointAt(std::int32_t index) { return points[static_cast<std::size_t>(index)]; }
    const Point& PointAt(std::int32_t index) const { return points[static_cast<std::size_t>(index)]; }
    Line& LineAt(std::int32_t index) { return lines[static_cast<std::size_t>(index)]; }
    const Line& LineAt(std::int32_t index) const { return lines[static_cast<std::size_t>(index)]; }
    Circle& CircleAt(std::int32_t index) { return circles[static_cast<std::size_t>(index)]; }
    const Circle& CircleAt(std::int32_t index) const { return circles[static_cast<std::size_t>(index)]; }
};

// Program-wide screen state: one instance, in the run context of the one run of the process.
struct ScreenState {
    std::int32_t depth = 0;             // bits a pixel: 0 while no window is open, 16 after
    // The text window of TEXTWINDOW: each value kept to 16 bits, as given.
    std::int16_t textWindowX = 0;
    std::int16_t textWindowY = 0;
    std::int16_t textWindowWidth = 0;
    std::int16_t textWindowHeight = 0;
    bool textCutNoted = false;  // the run has said once that a procedure's TEXT does not show whole
};

// How a run meets the viewer, chosen by whoever starts it (the command line, a C caller).
struct RunOptions {
    bool showLogo = true;  // the logo when the window opens and at the end of the run
    // Page Up at a WAIT goes back to the WAIT before, as Left does, instead of answering
    // Repetir: a remote with two buttons sends only Page Up and Page Down.
    bool presenter = false;
    std::string fileName;  // the lesson's file, without its folder; empty when it has none
    // Where the run notes what it could not do (a page that cannot be made); null: nowhere.
    std::ostream* diagnostics = nullptr;
};

// One run of a compiled script. The same context is shared by all nested activations.
struct RunContext {
    RunContext(const InstructionTable& compiledTable, const SymbolTable& compiledSymbols,
               Settings& programSettings, Device* device)
        : table(compiledTable), symbols(compiledSymbols), settings(programSettings), stage(device, programSettings) {
        stage.originX = settings.originX;
        stage.originY = settings.originY;
    }

    // The drawing page; empty until a screen or drawing statement makes it. SetPage keeps
    // the stage's page the same.
    OwnedImage page;
    const InstructionTable& table;
    const SymbolTable& symbols;  // list 8 holds the text literals
    Settings& settings;
    // Where the run draws and waits.
    Stage stage;
    ObjectLists objects;
    // One byte an index up to the largest object count: VisiblePoint | VisibleLine | VisibleCircle.
    std::vector<std::uint8_t> visibility;
    ScreenState screen;
    ControlBarOnScreen bar;
    RunOptions options;
    std::int32_t depth = 0;  // activations now running, the main module included
};

// Sets or clears one visibility bit of an object index.
inline void SetVisibility(RunContext& run, std::int32_t index, std::uint8_t bit, bool visible) {
    std::uint8_t& flags = run.visibility[static_cast<std::size_t>(index)];
    flags = static_cast<std::uint8_t>(visible ? flags | bit : flags & ~bit);
}

// A CONSTRUCTION's formal parameter and the caller's argument that stands for it.
struct ParameterBinding {
    std::int32_t formal = -1;  // the object index the procedure's statements use
    std::int32_t type = 0;     // TypePoint, TypeLine or TypeCircle; 0 for an empty slot
    std::int32_t actual = -1;  // the caller's object index
};

// A declaration of an INTERACTION or ANIMATION procedure, collected when it starts.
struct ClickableEntry {
    std::int32_t point = 0;
    std::int32_t constraint = 0;  // 0 free; line | 0x20000; circle | 0x30000
};
struct StepEntry {
    std::int32_t object = 0;      // point | 0x10000, or circle | 0x30000
    std::int32_t constraint = 0;  // as ClickableEntry::constraint
    double a = 0;                 // free: dx; along a line or circle: distance a frame
    double b = 0;                 // free: dy
    double c = 0;                 // circles: change of radius a frame
};

// One call of a procedure: created at the engine's entry, released at its return.
struct Activation {
    std::int32_t procedure = 0;  // 0 = main module
    std::int32_t kind = KindMain;
    CallMode mode = ModeFast;
    std::int32_t startRow = 1;   // 2 in a CONSTRUCTION (row 1 holds its parameters)
    std::int32_t lastRow = 0;    // the last row run (word 1 of the header row)
    std::int32_t row = 0;        // the program counter
    std::int32_t callerPosition = 0;  // calling procedure * 65536 + row of the CALL
    std::array<ParameterBinding, MaxParameters> parameters{};

    OwnedImage entryPicture;    // the page at entry and after SCREEN or WINDOW
    OwnedImage workingPicture;  // the page while instruments are shown or points dragged
    ObjectLists snapshot;       // the object lists at entry, put back by Repetir

    std::int32_t repeatCounter = 0;
    bool paused = false;            // the control bar reads "Continuar" while set

    // INTERACTION and ANIMATION declarations, kept across restarts.
    std::vector<ClickableEntry> clickables;
    std::vector<StepEntry> steps;
    std::vector<std::int32_t> traced;
    std::vector<std::vector<Point>> trail;  // one list of positions a traced point
    TrailLayers trailLayers;                // the trails as drawn so far; frames start from them
    std::int32_t grabbed = -1;              // the clickable entry being dragged; -1 none
    // Where the drag started: the mouse on the page, and the grabbed point in whole pixels.
    std::int32_t grabMouseX = 0, grabMouseY = 0;
    std::int32_t grabPointX = 0, grabPointY = 0;
};

// What the engine does after a statement, a pause or a question to the control bar.
enum class Flow : std::int32_t {
    Next,     // go on with the next row (a jump has already set Activation::row)
    Restart,  // back to the restart point: objects and picture restored, counter cleared
    Repeat,   // back to the repeat point: nothing restored
    Return,   // the activation ends with StepResult::result
};

struct StepResult {
    Flow flow = Flow::Next;
    std::int32_t result = 0;  // the activation's result when flow is Return
    // The input code that cut the statement's waits short, 0 when none did. The statement loop
    // hands it to the control bar before the next row; the bar reads every code, so it never
    // outlives that row, nor the activation.
    std::int32_t input = 0;
};

constexpr StepResult NextStep() { return StepResult{}; }
// Go on with the next row once the control bar has answered `input`.
constexpr StepResult NextStepAfter(std::int32_t input) { return StepResult{Flow::Next, 0, input}; }
constexpr StepResult ReturnWith(std::int32_t result) { return StepResult{Flow::Return, result}; }

// The engine's answers of the control bar: nothing, Pausa/Continuar, Repetir, Salir.
enum BarAnswer : std::int32_t { BarNothing = 0, BarPause = 1, BarRepeat = 2, BarExit = 3 };

}  // namespace vekora
