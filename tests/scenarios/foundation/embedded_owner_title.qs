# An embedded editor for an owning object of the library: the title names the
# owner, and the owner's id reaches the record.
library app.lib
object window w_main id=0x00010007
create embedded w_main
expect title "Structure - (Untitled) for w_main"
expect field objectId 0x00010007
expect field groupId 7
expect field callerKind 1013

# caller= gives the caller kind, which picks the Return description.
object menu m_file id=0x00020001
create embedded m_file caller=1014
expect field callerKind 1014
expect commands 17 1284
