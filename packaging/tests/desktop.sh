# What a desktop reads: the menu entry, AppStream metadata and the icons, as
# Debian's own validators judge them, and the entry as the library type's opener.
source "$(dirname "$0")/common.sh"
[ "$DESKTOP" = ON ] || skip "the desktop program is not built"
needs desktop-file-validate update-desktop-database appstreamcli python3
share=$(installed_tree)/usr/share

desktop-file-validate "$share/applications/quillmaker.desktop" || fail "desktop-file-validate found faults"

# The metadata with the desktop entry it launches. Warnings (an id that is no
# reverse domain name) are shown; errors fail.
appstreamcli validate-tree --no-net "$(installed_tree)" >"$scratch/appstream" 2>&1
cat "$scratch/appstream"
grep -q "^E:" "$scratch/appstream" && fail "appstreamcli validate found errors"
grep -q "<launchable type=\"desktop-id\">quillmaker.desktop</launchable>" "$share/metainfo/quillmaker.metainfo.xml" ||
  fail "the metadata does not launch the installed desktop entry"
grep -q "<screenshot type=\"default\">" "$share/metainfo/quillmaker.metainfo.xml" || fail "the metadata has no screenshot"

# The desktop's own index of which entry opens which file type.
cp -r "$share/applications" "$scratch/applications"
update-desktop-database "$scratch/applications"
grep -qx "application/x-quillmaker-library=quillmaker.desktop;" "$scratch/applications/mimeinfo.cache" ||
  fail "quillmaker.desktop does not open libraries: $(cat "$scratch/applications/mimeinfo.cache")"

# Every size a square PNG of that size; the SVG covers the rest.
for size in 16 32 48 64 128 256; do
  got=$(python3 -c 'import struct,sys; d=open(sys.argv[1],"rb").read(24); print("%dx%d" % struct.unpack(">II", d[16:24]) if d[:8]==b"\x89PNG\r\n\x1a\n" else "no PNG")' \
    "$share/icons/hicolor/${size}x$size/apps/quillmaker.png")
  [ "$got" = "${size}x$size" ] || fail "the ${size}x$size icon is $got"
done
python3 -c 'import sys, xml.dom.minidom as m; m.parse(sys.argv[1])' "$share/icons/hicolor/scalable/apps/quillmaker.svg" ||
  fail "the SVG icon is no well-formed XML"
finish
