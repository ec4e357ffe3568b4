#!/usr/bin/env bash
# The documentation says what the program does, in the same words
# everywhere: the README's column table and glossary match docs/*.tsv (which
# the help and the man page are built from), the sentence on negative
# hue-equal wavelengths is in the README, `table --help` and the man page,
# the man page describes every option, the README's green range is where the program changes path, and the man
# page renders without a groff warning.
set -u
vollfarbe=$1
source_dir=${VOLLFARBE_SOURCE_DIR:?the source folder, set by ctest}
build=${VOLLFARBE_BUILD_DIR:?the build folder, set by ctest}
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

man_page=$build/docs/vollfarbe.1
command -v groff >/dev/null || { echo "SKIP: groff not installed (make test installs it)"; exit 0; }
warnings=$(groff -man -Tutf8 -ww "$man_page" 2>&1 >/dev/null)
[ -z "$warnings" ] || fail "groff warnings: $warnings"
# The page as plain text on one line: no hyphenation, no bold.
man_text=$(groff -man -Tascii -rHY=0 -ww -P-cbou "$man_page" 2>/dev/null | tr -s ' \n' '  ')

python3 - "$source_dir" "$("$vollfarbe" table --help)" "$man_text" <<'PY' || fail "see above"
import re, sys
source, table_help, man_text = sys.argv[1], sys.argv[2], sys.argv[3]
readme = open(f"{source}/README.md", encoding="utf-8").read()
def entries(name):
    lines = open(f"{source}/docs/{name}", encoding="utf-8").read().splitlines()
    return [l.split("\t") for l in lines if l and not l.startswith("#")]
one_line = lambda text: " ".join(text.split())
problems = []
rows = set(l.strip() for l in readme.splitlines() if l.startswith("|"))
for names, meaning in entries("table_columns.tsv"):
    quoted = re.sub(r"[A-Za-z_][A-Za-z_0-9]*", lambda m: f"`{m.group()}`", names)
    if f"| {quoted} | {meaning} |" not in rows:
        problems.append(f"README column row for {names} differs from docs/table_columns.tsv")
    if one_line(f"{names} {meaning}") not in one_line(table_help):
        problems.append(f"table --help lacks the column {names}")
    if one_line(f"{names} {meaning}") not in man_text:
        problems.append(f"man page lacks the column {names}")
for term, meaning in entries("glossary.tsv"):
    if f"| {term} | {meaning} |" not in rows:
        problems.append(f"README glossary row for {term!r} differs from docs/glossary.tsv")
negative = entries("negative_hue_equal.txt")[0][0]
for where, text in (("README", readme), ("table --help", table_help), ("man page", man_text)):
    if one_line(negative) not in one_line(text):
        problems.append(f"{where} lacks the sentence on negative hue-equal wavelengths")
    rest = one_line(text).replace(one_line(negative), "")
    if re.search(r"\bnegative\b", rest):
        problems.append(f"{where} says more about negative values than the one sentence")
def catalogue(name):
    lines = open(f"{source}/colour/catalogue/{name}", encoding="utf-8").read().splitlines()
    return [l.split("\t") for l in lines if l and not l.startswith("#")]
for fields in catalogue("observers.tsv"):
    # The page is read as ASCII text, where the degree sign is left out.
    name, description = fields[0], fields[4].encode("ascii", "ignore").decode()
    # (a line may break after a hyphen: "equal- energy")
    if one_line(f"{name} {description}.") not in man_text.replace("- ", "-"):
        problems.append(f"the man page's observer list lacks {name} as observers.tsv describes it")
    if f"`{name}`" not in readme:
        problems.append(f"README does not name the observer {name}")
illuminants = ", ".join(f[0] for f in catalogue("illuminants.tsv"))
if illuminants.rsplit(", ", 1)[0] not in man_text:
    problems.append("the man page's --illuminant list differs from illuminants.tsv")
for p in problems:
    print("FAIL:", p)
sys.exit(1 if problems else 0)
PY

# Every option of every command's --help is in the man page.
for command in "" table dominant limits spectrum plot serve; do
  # shellcheck disable=SC2086
  for option in $("$vollfarbe" $command --help | grep -oE '^ +-[-a-zA-Z,]+' | tr ',' ' '); do
    grep -qE -- "(^| )$option( |,|$)" <<<"$man_text" ||
      fail "the man page (docs/vollfarbe.1.in) does not describe ${command:-vollfarbe} $option"
  done
done

# The green range as the README states it: its two boundary doubles take the
# end path, their neighbours outside do not.
for bound in 493.88413075006423 569.6723254951611; do
  grep -q "$bound" "$source_dir/README.md" || fail "README does not state the green range bound $bound"
  grep -q "$bound" "$man_page" || fail "the man page does not state the green range bound $bound"
done
expected=$'493.8841307500642,middle\n493.88413075006423,end\n569.6723254951611,end\n569.6723254951612,middle'
got=$("$vollfarbe" table 493.8841307500642 493.88413075006423 569.6723254951611 569.6723254951612 |
      tail -n +2 | cut -d, -f1-2)
[ "$got" = "$expected" ] || fail "the program's green range moved: $got"

[ "$failures" = 0 ] && echo "documentation: all checks passed"
[ "$failures" = 0 ]
