# The Debian package CPack makes: its fields, lintian's judgement (no errors),
# and the programs run from the package unpacked into a temporary folder.
source "$(dirname "$0")/common.sh"
needs cpack dpkg-deb dpkg-shlibdeps lintian
cpack -G DEB -B "$scratch/package" --config "$BUILD/CPackConfig.cmake" >"$scratch/cpack.log" 2>&1 ||
  { cat "$scratch/cpack.log"; fail "cpack failed"; finish; }
package=$(ls "$scratch"/package/*.deb)

dpkg-deb --field "$package" Package Version Maintainer Depends Description >"$scratch/fields"
cat "$scratch/fields"
for field in "Package: quillmaker" "Version: $VERSION" "Depends: .*libsqlite3-0" "Depends: .*libinih1" "Description: ."; do
  grep -q "^$field" "$scratch/fields" || fail "the package lacks the field $field"
done
[ "$DESKTOP" = ON ] && { grep -q "^Depends: .*libqt6widgets6" "$scratch/fields" || fail "the package does not depend on Qt"; }

lintian --no-tag-display-limit "$package" >"$scratch/lintian" 2>&1
grep -v "running with root privileges" "$scratch/lintian"
grep -q "^E:" "$scratch/lintian" && fail "lintian found errors"

dpkg-deb -x "$package" "$scratch/unpacked"
[ -f "$scratch/unpacked/usr/share/doc/quillmaker/copyright" ] || fail "the package has no copyright file"
check_programs "$scratch/unpacked"
finish
