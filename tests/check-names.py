#!/usr/bin/env python3
"""Checks that the code names its parts by role. No C++ identifier outside
string literals and comments in src/ is a T-prefixed type name, a
vt/bk/mp/bt/so-prefixed enumerator or an E-prefixed exception. Comments speak
of members and roles too: outside quotes, a comment names no designer event
("OnClick"), designer component or handler ("ListBox1", "Timer1Timer"),
form event ("FormShow"), cursor id ("crHand") or T-prefixed class. The
spellings the outside world sees (window classes such as "TMainForm",
registry keys) live in string constants, and comments quote them."""
import pathlib
import re
import sys

root = pathlib.Path(sys.argv[1] if len(sys.argv) > 1 else pathlib.Path(__file__).resolve().parent.parent)
quoted = r'"(?:\\.|[^"\\\n])*"|\'(?:\\.|[^\'\\\n])*\''
text_or_comment = re.compile(quoted + r'|//[^\n]*|/\*.*?\*/', re.S)
form_event = r'Form(?:Show|Hide|Create|Destroy|Close|Activate)|CloseQuery|CloseAction|ModalResult'
given_name = re.compile(r'\b(?:T[A-Z][a-z]\w*|(?:vt|bk|mp|bt|so)[A-Z]\w*|E[A-Z]\w*(?:Error|Exception)|' + form_event + r')\b')
designer_word = re.compile(r'\b(?:On[A-Z][a-z]\w*|(?!Win\d)[A-Z][a-z]+(?:[A-Z][a-z]+)*\d+(?:[A-Z][a-z]+)*'
                           r'|' + form_event + r'|cr[A-Z][a-z]\w*|T[A-Z][a-z]\w*)\b')
found = []
for path in sorted(root.glob('src/**/*')):
    if path.suffix not in ('.h', '.cpp', '.in'):
        continue
    text = path.read_text()
    for match in text_or_comment.finditer(text):
        if match.group(0)[0] in '"\'':
            continue
        words = re.sub(r'"[^"\n]*"|`[^`\n]*`', '', match.group(0))
        number = text.count('\n', 0, match.start()) + 1
        found += [f'{path.relative_to(root)}:{number}: {name} (comment)' for name in designer_word.findall(words)]
    code = text_or_comment.sub(lambda m: '\n' * m.group(0).count('\n'), text)
    for number, line in enumerate(code.splitlines(), 1):
        found += [f'{path.relative_to(root)}:{number}: {name}' for name in given_name.findall(line)]
print('\n'.join(found) if found else 'names: every type, enumerator and comment names parts by role')
sys.exit(1 if found else 0)
