#!/usr/bin/env python3
"""Checks that the code names its types and enumerators by role: no C++
identifier outside string literals and comments in src/ is a T-prefixed type
name, a vt/bk/mp/bt/so-prefixed enumerator or an E-prefixed exception. The
spellings the outside world sees (window classes such as "TMainForm",
registry keys) live in string constants, which this leaves alone."""
import pathlib
import re
import sys

root = pathlib.Path(sys.argv[1] if len(sys.argv) > 1 else pathlib.Path(__file__).resolve().parent.parent)
text_or_comment = re.compile(r'"(?:\\.|[^"\\\n])*"|\'(?:\\.|[^\'\\\n])*\'|//[^\n]*|/\*.*?\*/', re.S)
given_name = re.compile(r'\b(?:T[A-Z][a-z]\w*|(?:vt|bk|mp|bt|so)[A-Z]\w*|E[A-Z]\w*(?:Error|Exception))\b')
found = []
for path in sorted(root.glob('src/**/*')):
    if path.suffix not in ('.h', '.cpp', '.in'):
        continue
    code = text_or_comment.sub(lambda m: '\n' * m.group(0).count('\n'), path.read_text())
    for number, line in enumerate(code.splitlines(), 1):
        for name in given_name.findall(line):
            found.append(f'{path.relative_to(root)}:{number}: {name}')
print('\n'.join(found) if found else 'names: every type and enumerator is named by role')
sys.exit(1 if found else 0)
