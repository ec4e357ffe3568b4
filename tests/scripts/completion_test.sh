#!/usr/bin/env bash
# Bash completion as a user meets it: commands, each command's options, the
# values of --format, file names after -o; and every option the program's
# --help lists is in the completion's list.
set -u
vollfarbe=$1
source_dir=${VOLLFARBE_SOURCE_DIR:?the source folder, set by ctest}
build=${VOLLFARBE_BUILD_DIR:?the build folder, set by ctest}
bash_completion=/usr/share/bash-completion/bash_completion
[ -f "$bash_completion" ] || { echo "SKIP: bash-completion not installed (make test installs it)"; exit 0; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

# shellcheck disable=SC1090
source "$bash_completion"
# shellcheck disable=SC1091
source "$build/completion/vollfarbe"

# completions LINE: what TAB offers at the end of LINE, sorted, one line.
completions() {
  COMP_LINE=$1
  COMP_POINT=${#1}
  read -r -a COMP_WORDS <<<"$1"
  [[ $1 == *" " ]] && COMP_WORDS+=("")
  COMP_CWORD=$((${#COMP_WORDS[@]} - 1))
  COMPREPLY=()
  _vollfarbe vollfarbe "${COMP_WORDS[COMP_CWORD]}" "${COMP_WORDS[COMP_CWORD - 1]}"
  printf '%s\n' "${COMPREPLY[@]}" | sort | tr '\n' ' ' | sed 's/ $//'
}

check() {  # check LINE EXPECTED
  local got
  got=$(completions "$1")
  [ "$got" = "$2" ] || fail "'$1' completes to '$got', expected '$2'"
}

check "vollfarbe " "--help --version --window -h dominant limits plot serve spectrum table"
check "vollfarbe t" "table"
check "vollfarbe table --f" "--format --from"
check "vollfarbe table --format " "csv json jsonl tsv"
check "vollfarbe table --format j" "json jsonl"
check "vollfarbe table --from " ""
check "vollfarbe table 600 --s" "--step --strict"
check "vollfarbe plot --" "--cmf --dpi --fill --help --illuminant --limits --method --observer --output --ring --size --title --wavelength"
check "vollfarbe plot --size " "column page slide"
check "vollfarbe spectrum --kind " "emission reflectance transmittance"
check "vollfarbe spectrum --method c" "cie15"
check "vollfarbe plot --dpi " ""
# The observers and illuminants are the catalogue's.
check "vollfarbe table --observer " "$(grep -v '^#' "$source_dir/colour/catalogue/observers.tsv" | cut -f1 |
  awk '{ n[NR] = $1 } END { for (i = 1; i <= NR; i++) { print n[i]; for (j = i + 1; j <= NR; j++) print n[i] "," n[j] } }' |
  sort | tr '\n' ' ' | sed 's/ $//')"
check "vollfarbe dominant --illuminant D" "D50 D55 D65 D93"
check "vollfarbe table --illuminant " "$(grep -v '^#' "$source_dir/colour/catalogue/illuminants.tsv" | sort | tr '\n' ' ' | sed 's/ $//')"
touch "$work/figure.svg"
check "vollfarbe plot -o $work/fig" "$work/figure.svg"

# Every option of every command's --help is in the completion's list.
# shellcheck disable=SC2154
for command in vollfarbe table dominant limits spectrum plot serve; do
  if [ "$command" = vollfarbe ]; then help=$("$vollfarbe" --help); else help=$("$vollfarbe" "$command" --help); fi
  for option in $(grep -oE '^ +-[-a-zA-Z,]+' <<<"$help" | tr ',' ' '); do
    [[ " ${_vollfarbe_options[$command]} " == *" $option "* ]] ||
      fail "$command $option is missing from completion/vollfarbe.in (_vollfarbe_options[$command])"
  done
done

[ "$failures" = 0 ] && echo "completion: all checks passed"
[ "$failures" = 0 ]
