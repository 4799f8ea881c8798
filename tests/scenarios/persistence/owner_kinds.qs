# The embedded open names the owner's kind to the local-structure dialog:
# window 10, menu 11, user object 12, function 13.
library app.lib
object window w_main
object menu m_main
object userobject u_base
object function f_total

create embedded w_main
answer open new
pump
expect field ownerKind 10
expect field untitled 1
expect field structureName none
expect field libraryName none
expect grid
. . . E
end
close
expect closed

create embedded m_main
answer open new
pump
expect field ownerKind 11
close

create embedded u_base
answer open new
pump
expect field ownerKind 12
close

create embedded f_total
answer open new
pump
expect field ownerKind 13
expect title "Structure - (Untitled) for f_total"
close
expect closed
