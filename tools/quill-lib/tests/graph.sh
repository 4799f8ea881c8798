# quill-lib graph: which structure contains which, as dot text or an SVG
# drawn by Graphviz, for the library or around one structure.
source "$(dirname "$0")/common.sh"
sample_library lib

# Edges as "USER -> USED" with labels in place of node ids.
edges() {
  awk '/\[label=/ { match($0, /n[0-9]+/); id = substr($0, RSTART, RLENGTH); match($0, /label="[^"]*"/);
                    name[id] = substr($0, RSTART + 7, RLENGTH - 8) }
       / -> / { gsub(";", ""); print name[$1] " -> " name[$3] }' | sort | tr '\n' ' '
}

"$QUILL_LIB" graph lib >all.dot || fail "graph failed"
[ "$(edges <all.dot)" == "s_line -> s_point s_loc -> s_line " ] || fail "edges: $(edges <all.dot)"
grep -q 'label="w_main"' all.dot || fail "local structures are not inside their object"
grep -q '1 structures that neither contain nor are contained' all.dot || fail "s_note is not counted as left out"

while read -r name depth expected; do
  got=$("$QUILL_LIB" graph lib --around "$name" --depth "$depth" | edges)
  [ "$got" == "${expected//,/ } " ] || [ "$got" == "" -a "$expected" == "-" ] || fail "--around $name --depth $depth: $got"
done <<'TABLE'
s_point 1 s_line,->,s_point
s_point 2 s_line,->,s_point,s_loc,->,s_line
w_main/s_loc 1 s_loc,->,s_line
s_note 3 -
TABLE

"$QUILL_LIB" graph lib --svg drawing.svg || fail "graph --svg failed"
grep -q '<svg' drawing.svg && grep -q '>s_point<' drawing.svg || fail "drawing.svg is not the drawing"
expect_error 3 "no structure or object named s_gone" "$QUILL_LIB" graph lib --around s_gone
expect_error 2 "--around" "$QUILL_LIB" graph lib --depth 2
# Links planted at the drawing or its old temporary name are replaced, never written through.
echo "private" >victim
ln -s victim linked.svg
ln -s victim other.svg.quill-lib-new
for file in linked.svg other.svg; do
  "$QUILL_LIB" graph lib --svg $file || fail "graph --svg $file failed"
  grep -q '<svg' $file || fail "$file is not the drawing"
done
[ "$(cat victim)" == private ] || fail "a drawing was written through a link"
expect_error 4 "Graphviz's dot program was not found" env PATH=/nonexistent "$QUILL_LIB" graph lib --svg none.svg
[ -e none.svg ] && fail "a failed drawing left a file"
finish
