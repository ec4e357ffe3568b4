#!/usr/bin/env bash
# The --help of the program and of every command it lists reads as written
# by a person: none of the argument parser's own notation (a positional's
# internal name in brackets, " x 2" for a count, " ..." for a list, a
# validator's type and range, SUBCOMMAND), no line over 80 columns and no
# run of blank lines.
set -u
vollfarbe=$1
python3 - "$vollfarbe" <<'PY'
import re, subprocess, sys
exe = sys.argv[1]
def help_of(*command):
    return subprocess.run([exe, *command, "--help"], capture_output=True, text=True, check=True).stdout
main = help_of()
commands = re.findall(r"^  ([a-z]+) ", re.split(r"\n(?:Sub)?[Cc]ommands:\n", main)[-1], re.MULTILINE)
artefacts = {
    r"\[[a-z_]+\.\.\.\]": "a positional's internal name",
    r"[A-Z\]] x \d": "a count of values",
    r"[A-Z] \.\.\.(  |$)": "a list marker",
    r":(UINT|INT|FLOAT|NUMBER|TEXT)\b|in \[\d+ - \d+\]": "a validator's text",
    r"SUBCOMMAND|REQUIRED|Positionals:": "the parser's labels",
    r"\n\n\n": "a run of blank lines",
}
problems = []
if len(commands) < 3:
    problems.append(f"the program's help lists the commands {commands}")
for command in [[]] + [[c] for c in commands]:
    text = help_of(*command)
    name = " ".join(["vollfarbe", *command])
    for pattern, what in artefacts.items():
        for match in re.finditer(pattern, text):
            problems.append(f"{name} --help shows {what}: {match.group()!r}")
    for line in text.splitlines():
        if len(line) > 80:
            problems.append(f"{name} --help has a line of {len(line)} columns: {line!r}")
    if f"Usage: {name} " not in text:
        problems.append(f"{name} --help has no usage line")
for p in problems:
    print("FAIL:", p)
print("help texts: all checks passed" if not problems else f"{len(problems)} problems")
sys.exit(1 if problems else 0)
PY
