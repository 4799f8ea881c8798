# The installed programs run from the installed tree: their --version, and one
# real command each, with the module and the sample found without help.
source "$(dirname "$0")/common.sh"
check_programs "$(installed_tree)"
finish
