#!/usr/bin/env python3
"""Lists the functions of a WebAssembly module that can be on the stack when it sleeps.

ASYNCIFY instruments every function that might unwind, and by itself it takes every indirect
call for one that might: every virtual call and std::function, so also the loops over pixels
that call them. Here an indirect call reaches only the functions of the table with its exact
signature, as the machine enforces, so only the callers of the sleeping imports are kept.

    asyncify_only_list.py PROBE.wasm [IMPORT...] > list.txt    (default import: emscripten_sleep)

PROBE.wasm is the program linked as the real one but with nothing instrumented, keeping its
function names (--profiling-funcs). Prints one name a line for -sASYNCIFY_ONLY=@list.txt, with
the characters that the list's own syntax would misread (commas, dots, brackets) made '*'
wildcards: a wildcard may only instrument more, never less.
"""
import re
import subprocess
import sys
from collections import defaultdict

NAME = r'\$[^\s()]+'  # wasm-dis escapes a name's own brackets and blanks (\28, \20)


def unescape(name):
    return re.sub(r'\\([0-9a-fA-F]{2})', lambda m: chr(int(m.group(1), 16)), name[1:])


def signature(text):
    """'i32 f64 -> i32' from the (param ...) and (result ...) of a function or type."""
    params = re.findall(r'\(param(?: ' + NAME + r')?((?: [a-z0-9]+)+)\)', text)
    results = re.findall(r'\(result((?: [a-z0-9]+)+)\)', text)
    return ' '.join(p.strip() for p in params) + ' -> ' + ' '.join(r.strip() for r in results)


class Module:
    def __init__(self, text):
        self.types = {}                  # type name -> signature
        self.imports = {}                # import name -> signature
        self.functions = {}              # defined function name -> signature
        self.calls = defaultdict(set)    # caller -> callees
        self.indirect = defaultdict(set) # caller -> signatures it calls through the table
        self.table = set()
        current = None
        for line in text.splitlines():
            if line.startswith(' (type '):
                m = re.match(r' \(type (' + NAME + r') \(func(.*)\)\)$', line)
                if m:
                    self.types[m.group(1)] = signature(m.group(2))
            elif line.startswith(' (import '):
                m = re.search(r'\(func (' + NAME + r')(.*)\)\)$', line)
                if m:
                    self.imports[m.group(1)] = signature(m.group(2))
            elif line.startswith(' (elem '):
                self.table.update(re.findall(NAME, line.split(')', 1)[1]))
            elif line.startswith(' (func '):
                m = re.match(r' \(func (' + NAME + r')(.*)$', line)
                current = m.group(1)
                self.functions[current] = signature(m.group(2))
            elif line.startswith(' (') or line == ')':
                current = None
            elif current is not None and 'call' in line:
                self.calls[current].update(re.findall(r'\((?:return_)?call (' + NAME + ')', line))
                for name in re.findall(r'\((?:return_)?call_indirect (?:' + NAME + r' )?\(type (' + NAME + r')\)', line):
                    self.indirect[current].add(self.types[name])

    def sleepers(self, imports):
        """Every function that can reach one of `imports`, directly or through the table."""
        in_table = defaultdict(set)
        for name in self.table:
            in_table[self.functions.get(name) or self.imports.get(name)].add(name)
        # An exception's invoke_* import calls through the table with any signature.
        anything = set().union(*in_table.values()) if in_table else set()
        reach = {f for f in self.imports if unescape(f) in imports}
        invokes = {f for f in self.imports if unescape(f).startswith('invoke_')}
        changed = True
        while changed:
            changed = False
            for name in self.functions:
                if name in reach:
                    continue
                callees = self.calls[name]
                if (callees & reach or (callees & invokes and anything & reach)
                        or any(in_table[s] & reach for s in self.indirect[name])):
                    reach.add(name)
                    changed = True
        return sorted(unescape(f) for f in reach if f in self.functions)


def main():
    if len(sys.argv) < 2:
        sys.exit(__doc__)
    imports = set(sys.argv[2:]) or {'emscripten_sleep'}
    text = subprocess.run(['wasm-dis', sys.argv[1]], check=True, capture_output=True, text=True).stdout
    module = Module(text)
    # Without a name section wasm-dis numbers the functions, and no list could name them.
    if all(re.fullmatch(r'\$\d+', name) for name in module.functions):
        sys.exit(f'{sys.argv[1]}: no function names; link it with --profiling-funcs')
    found = module.sleepers(imports)
    if not found:
        # An empty list would make ASYNCIFY instrument everything again: say so instead.
        sys.exit(f'{sys.argv[1]}: no function calls {", ".join(sorted(imports))}')
    for name in found:
        print(re.sub(r'[,.()<>\[\]{}]+', '*', name))


if __name__ == '__main__':
    main()
