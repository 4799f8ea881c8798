# cmake --install into a temporary DESTDIR: the folders a Linux program uses,
# the host libraries and the module in a private folder, nothing else.
source "$(dirname "$0")/common.sh"
tree=$(installed_tree)
rm -rf "$tree"
DESTDIR="$tree" cmake --install "$BUILD" --prefix /usr >"$scratch/install.log" 2>&1 ||
  { cat "$scratch/install.log"; fail "cmake --install failed"; finish; }

expected="usr/bin/quill-lib usr/bin/quill-script usr/share/quillmaker/sample.lib
usr/share/doc/quillmaker/copyright usr/share/doc/quillmaker/changelog.gz
usr/share/bash-completion/completions/quill-lib"
for page in quillmaker quill-lib quill-script; do
  [ "$MANUAL_PAGES" = ON ] && expected+=" usr/share/man/man1/$page.1.gz"
done
if [ "$DESKTOP" = ON ]; then
  expected+=" usr/bin/quillmaker usr/share/applications/quillmaker.desktop usr/share/metainfo/quillmaker.metainfo.xml
usr/share/mime/packages/quillmaker.xml usr/share/icons/hicolor/scalable/apps/quillmaker.svg"
  for size in 16 32 48 64 128 256; do expected+=" usr/share/icons/hicolor/${size}x$size/apps/quillmaker.png"; done
fi
for file in $expected; do [ -f "$tree/$file" ] || fail "$file was not installed"; done

# The host libraries and the module sit together in one private folder.
for library in libqst.so libquill.so libplatform.so; do
  found=$(cd "$tree" && find . -name "$library" | sed 's|^\./||')
  case $found in
    usr/lib/quillmaker/$library | usr/lib/*/quillmaker/$library) ;;
    *) fail "$library installed as '$found', not in the private library folder" ;;
  esac
done
(cd "$tree" && find . -type f | sort)
finish
