#!/usr/bin/env python3
"""Lists the functions of a source tree longer than a limit (50 lines) and
exits 1 when there is one. A brace-counting reading of C++, not a parser: it
finds bodies that open after a parameter list, an initializer list or a
qualifier, outside any other function."""
import os
import re
import sys

LIMIT = 50


def strip(text):
    text = re.sub(r'//[^\n]*', '', text)
    text = re.sub(r'/\*.*?\*/', lambda m: '\n' * m.group(0).count('\n'), text, flags=re.S)
    text = re.sub(r'"(\\.|[^"\\\n])*"', '""', text)
    return re.sub(r"'(\\.|[^'\\\n])*'", "''", text)


OPENS_BODY = [
    re.compile(r'(\)|\bconst|\boverride|\bnoexcept|\bfinal|\bmutable)\s*$'),
    re.compile(r'\)\s*(const\s*)?(noexcept\s*)?->\s*[\w:<>,\s\*&]+$'),
    re.compile(r'\)\s*:\s*[^;{}]*\)\s*$', re.S),
]
STATEMENT = re.compile(r'\b(if|for|while|switch|catch)\s*\([^;{}]*\)\s*$')


def long_functions(path):
    text = strip(open(path, encoding='utf-8', errors='replace').read())
    stack, line = [], 1
    for i, c in enumerate(text):
        if c == '\n':
            line += 1
        elif c == '{':
            before = text[max(0, i - 300):i].rstrip()
            body = (not any(kind == 'function' for kind, _ in stack)
                    and any(p.search(before) for p in OPENS_BODY)
                    and not STATEMENT.search(before))
            stack.append(('function' if body else 'block', line))
        elif c == '}' and stack:
            kind, start = stack.pop()
            if kind == 'function' and line - start + 1 > LIMIT:
                yield start, line - start + 1


def main(roots):
    found = 0
    for root in roots:
        for folder, _, files in os.walk(root):
            for name in sorted(files):
                if name.endswith(('.cpp', '.h')):
                    path = os.path.join(folder, name)
                    for start, length in long_functions(path):
                        print(f'{path}:{start}: a function of {length} lines (at most {LIMIT})')
                        found += 1
    return 1 if found else 0


if __name__ == '__main__':
    sys.exit(main(sys.argv[1:] or ['src']))
