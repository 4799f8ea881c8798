# The manual pages render without a warning, and they keep up with the programs:
# every quill-lib subcommand and every scenario word has its entry.
source "$(dirname "$0")/common.sh"
[ "$MANUAL_PAGES" = ON ] || skip "scdoc is not installed, so no manual page was built (scripts/install-deps installs it)"
needs man
tree=$(installed_tree)

for page in quillmaker quill-lib quill-script; do
  file=$tree/usr/share/man/man1/$page.1.gz
  MANWIDTH=80 man --warnings -l "$file" >"$scratch/page" 2>"$scratch/warnings" || fail "man could not show $page(1)"
  [ -s "$scratch/warnings" ] && fail "$page(1) renders with warnings: $(cat "$scratch/warnings")"
  grep -q "^NAME" "$scratch/page" || fail "$page(1) has no NAME section"
done

"$tree/usr/bin/quill-lib" --help >"$scratch/help" 2>&1
subcommands=$(sed -n '/^SUBCOMMANDS:/I,/^$/p' "$scratch/help" | awk 'NR > 1 && NF { print $1 }')
[ -n "$subcommands" ] || fail "quill-lib --help lists no subcommands: $(cat "$scratch/help")"
for subcommand in $subcommands; do
  grep -q "^\*$subcommand\*" "$SOURCE/packaging/man/quill-lib.1.scd" || fail "quill-lib(1) lacks the subcommand $subcommand"
done

# The runner's table of words, as its sources add them.
words=$(grep -ho 'push_back({"[a-z -]*", ' "$SOURCE"/tools/quill-script/*.cpp | sed 's/push_back({"//; s/", $//' | sort -u)
[ "$(echo "$words" | wc -l)" -gt 40 ] || fail "found only these scenario words in the runner's sources: $words"
while read -r word; do
  grep -qF "*$word" "$SOURCE/packaging/man/quill-script.1.scd" || fail "quill-script(1) lacks the scenario word '$word'"
done <<<"$words"
finish
