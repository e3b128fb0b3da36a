#!/usr/bin/python3
"""Checks each compile of the game's sources (src/) in a compile_commands.json
by the options that take effect, as the compiler reads them: the last of
-fstack-protector* and -fno-stack-protector must be the strong or the all
kind, the last -D_FORTIFY_SOURCE or -U_FORTIFY_SOURCE must define it to 2 or
more, and the last -O must optimise (fortification needs it). Names every
file that falls short, and fails on a list without the game's sources.
Run from the top of the sources:

  .ci/hardened_compiles.py COMPILE_COMMANDS
"""
import json
import os
import shlex
import sys


def shortfalls(args):
    """What an argument list lacks, as a list of words for a reader."""
    stack, fortify, optimise = None, None, '-O0'
    for arg in args:
        if arg.startswith('-fstack-protector') or arg == '-fno-stack-protector':
            stack = arg
        elif arg.startswith(('-D_FORTIFY_SOURCE', '-U_FORTIFY_SOURCE')):
            fortify = arg
        elif arg.startswith('-O'):
            optimise = arg
    lacks = []
    if stack not in ('-fstack-protector-strong', '-fstack-protector-all'):
        lacks.append(f'stack protector ({stack or "none"})')
    level = fortify.partition('=')[2] if fortify and fortify.startswith('-D') else ''
    if not (level.isdigit() and int(level) >= 2):
        lacks.append(f'_FORTIFY_SOURCE ({fortify or "none"})')
    if optimise in ('-O0', '-O'):
        lacks.append(f'optimisation ({optimise})')
    return lacks


path = sys.argv[1]
try:
    with open(path, encoding='utf-8') as f:
        entries = json.load(f)
except (OSError, ValueError) as e:
    sys.exit(f'{path}: cannot read it: {e}')
compiles = [e for e in entries if os.path.relpath(e['file']).startswith('src' + os.sep)]
if not compiles:
    sys.exit(f'{path}: no compile of src/ in it')
bad = []
for entry in compiles:
    args = entry.get('arguments') or shlex.split(entry['command'])
    lacks = shortfalls(args)
    if lacks:
        bad.append(f'  {os.path.relpath(entry["file"])}: {", ".join(lacks)}')
if bad:
    sys.exit(f'{path}: {len(bad)} of {len(compiles)} compiles of src/ are not hardened:\n' +
             '\n'.join(bad))
print(f'{path}: all {len(compiles)} compiles of src/ hardened (stack protector, fortify, optimised)')
