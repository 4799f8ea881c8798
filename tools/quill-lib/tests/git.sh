# quill-lib as git's diff and merge drivers, driven through real git: a
# repository with one library and two branches changing it.
source "$(dirname "$0")/common.sh"
export HOME=$WORK GIT_CONFIG_NOSYSTEM=1 GIT_AUTHOR_NAME=Tester GIT_AUTHOR_EMAIL=tester@example.com \
  GIT_COMMITTER_NAME=Tester GIT_COMMITTER_EMAIL=tester@example.com
git init -q -b main repo || fail "no git repository"
expect 0 "Library files (*.lib) in repo now diff as text and merge by structure and variable." \
  "$QUILL_LIB" git-setup repo
"$QUILL_LIB" git-setup repo >/dev/null
[ "$(grep -c 'diff=quill merge=quill' repo/.gitattributes)" -eq 1 ] || fail "the attributes line is missing or doubled"
git -C repo config merge.quill.driver | grep -qF "$QUILL_LIB merge %O %A %B" || fail "no merge driver set"
expect_error 4 "is not a git repository" "$QUILL_LIB" git-setup "$WORK/sample-src-none"
"$QUILL_LIB" git-setup --print | grep -qxF "git config diff.quill.textconv '$QUILL_LIB textconv'" ||
  fail "--print does not show the textconv setting"

sample_library repo/app.lib
git -C repo add -A && git -C repo commit -qm "One library" || fail "the first commit failed"

# on BRANCH FOLDER MESSAGE: a branch off main whose commit imports FOLDER into the library.
on() {
  git -C repo checkout -q -b "$1" main &&
    "$QUILL_LIB" import "$2" repo/app.lib >/dev/null &&
    git -C repo commit -qam "$3" || fail "the commit on $1 failed"
}
# merge_into BRANCH OTHER: checks BRANCH out and merges OTHER with the driver.
merge_into() {
  git -C repo checkout -q "$1" && git -C repo merge -q --no-edit "$2" >"$WORK/merge-out" 2>&1
}

# Different structures.
srs a1/s_point.srs "global type s_point" "integer x" "integer y" "integer z"
on a1 a1 "s_point gains z"
srs a2/s_note.srs "global type s_note" "string text" "date written"
on a2 a2 "s_note gains written"
merge_into a1 a2 || fail "different structures did not merge: $(cat merge-out)"
git -C repo show main:app.lib >main.lib
expect 1 "changed s_note
  added variable written: date (row 2)
changed s_point
  added variable z: integer (row 3)" "$QUILL_LIB" diff main.lib repo/app.lib
expect 0 "" git -C repo status --porcelain

# Different variables of one structure.
srs b1/s_line.srs "global type s_line" "s_point a" "s_point b" "decimal 4 len"
on b1 b1 "len to four places"
srs b2/s_line.srs "global type s_line" "s_point a" "s_point b" "decimal 2 len" "string label"
on b2 b2 "s_line gains a label"
merge_into b1 b2 || fail "different variables did not merge: $(cat merge-out)"
expect 1 "changed s_line
  retyped variable len: decimal {2} -> decimal {4}
  added variable label: string (row 4)" "$QUILL_LIB" diff main.lib repo/app.lib

# One variable on both sides: the file stays conflicted, ours as it was.
srs c1/s_line.srs "global type s_line" "s_point a" "s_point b" "decimal 3 len"
on c1 c1 "len to three places"
cp repo/app.lib c1.lib
merge_into c1 b1 && fail "a conflict merged"
grep -qF "s_line:len: ours decimal {3}, theirs decimal {4}" merge-out || fail "the conflict was not shown: $(cat merge-out)"
expect 0 "app.lib" git -C repo diff --name-only --diff-filter=U
cmp -s c1.lib repo/app.lib || fail "the conflicted library is not ours"
git -C repo merge --abort

# git diff and git log show structure text.
"$QUILL_LIB" import b2 repo/app.lib >/dev/null
git -C repo diff >diff-out
grep -qF -- "-"$'\t'"decimal {3}"$'\t'"len\\r" diff-out && grep -qF -- "+"$'\t'"decimal {2}"$'\t'"len\\r" diff-out &&
  grep -qF -- "+"$'\t'"string"$'\t\t'"label\\r" diff-out || fail "git diff shows no structure text: $(cat diff-out)"
git -C repo checkout -q -- app.lib
git -C repo log -p -1 b2 >log-out
grep -qF "+"$'\t'"string"$'\t\t'"label\\r" log-out || fail "git log -p shows no structure text"
finish
