# Bash completion for quill-lib: subcommands, options and their values, library
# files for LIBRARY arguments and folders for DIR arguments.
source "$(dirname "$0")/common.sh"
completion=$(installed_tree)/usr/share/bash-completion/completions/quill-lib
cd "$scratch" && mkdir src && touch a.lib b.lib notes.txt

# What completes the last word of the command line; the words as one sorted line.
completions() {
  bash -c 'source "$0"; COMP_WORDS=("${@}"); COMP_CWORD=$(($# - 1)); _quill_lib 2>/dev/null
           printf "%s\n" "${COMPREPLY[@]}" | sort | xargs' "$completion" "$@"
}

while IFS='|' read -r line expected; do
  read -ra words <<<"$line"
  [[ $line == *" " ]] && words+=("")
  got=$(completions "${words[@]}")
  [ "$got" = "$expected" ] || fail "'$line' completed as '$got', not '$expected'"
done <<'CASES'
quill-lib |--help --version check diff export git-setup graph import list merge show textconv uses
quill-lib l|list
quill-lib list -|--help --json --kind
quill-lib list --kind |all global object
quill-lib list --kind g|global
quill-lib graph a.lib --|--around --depth --help --svg
quill-lib check |a.lib b.lib src
quill-lib check n|notes.txt
quill-lib show a.lib |
quill-lib diff a.lib |a.lib b.lib src
quill-lib export a.lib |src
quill-lib import |src
quill-lib import src |a.lib b.lib src
quill-lib list --kind all |a.lib b.lib src
quill-lib merge --export src a.lib |a.lib b.lib src
quill-lib merge --export |src
quill-lib git-setup |src
CASES
finish
