// The shared measures of the figure writers.
#include "export/figure_style.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <numbers>

namespace vekora {

FontMetrics MetricsOfFont(std::int32_t nominalHeight) {
    struct Row {
        std::int32_t height;
        FontMetrics metrics;
    };
    // As tools/fontgen printed them when it rendered resources/fonts.
    constexpr Row Rows[] = {{12, {10, 10}}, {16, {14, 13}}, {24, {20, 19}},
                            {32, {27, 26}}, {40, {34, 32}}, {64, {55, 51}}};
    for (const Row& row : Rows)
        if (row.height == nominalHeight) return row.metrics;
    return {nominalHeight * 0.85, nominalHeight * 0.8};
}

DashRuns RunsOfMask(std::uint16_t mask) {
    DashRuns dash;
    if (mask == 0xFFFF || mask == 0) return dash;
    const auto bit = [mask](int i) { return ((mask >> (15 - (i & 15))) & 1) != 0; };
    int first = 0;
    while (!bit(first)) ++first;
    // Runs from the first on pixel round the 16 bits.
    bool on = true;
    double run = 0;
    for (int i = first; i < first + 16; ++i) {
        if (bit(i) == on) {
            ++run;
            continue;
        }
        dash.runs.push_back(run);
        on = !on;
        run = 1;
    }
    dash.runs.push_back(run);
    dash.offset = (16 - first) % 16;
    if (dash.runs.size() % 2 != 0) {
        // The last on run goes on into the first (the mask starts inside it): join them, the
        // pattern then starting that many pixels before the line.
        const double last = dash.runs.back();
        dash.runs.pop_back();
        dash.runs.front() += last;
        dash.offset = last;
    }
    return dash;
}

double DashScale(double dx, double dy) {
    const double major = std::max(std::fabs(dx), std::fabs(dy));
    return major > 0 ? std::hypot(dx, dy) / major : 1.0;
}

double ArcSweep(double start, double end) {
    constexpr double Turn = 2 * std::numbers::pi;
    double sweep = std::fmod(end - start, Turn);
    if (sweep <= 0) sweep += Turn;
    return sweep;
}

std::size_t FirstDrawnItem(const FigureRecord& record) {
    std::size_t i = 0;
    while (i < record.items.size()) {
        const FigureItem& item = record.items[i];
        const bool background = item.kind == FigureItem::Kind::Box && item.filled &&
                                item.colour == record.background && item.xy[0] <= 0 && item.xy[1] <= 0 &&
                                item.xy[2] >= record.width - 1 && item.xy[3] >= record.height - 1;
        if (!background) break;
        ++i;
    }
    return i;
}

std::string ShortNumber(double v) {
    char text[32];
    std::snprintf(text, sizeof text, "%.3f", v);
    std::string s(text);
    s.erase(s.find_last_not_of('0') + 1);
    if (s.back() == '.') s.pop_back();
    if (s == "-0") s = "0";
    return s;
}

}  // namespace vekora
