# Escape belongs to the window it was meant for: in the Add/Delete Fish dialog, modal,
# Escape sent to the dialog's own window and Escape pressed on the keyboard each close just
# that dialog, 10 times out of 10, and the tank runs on; Escape in the tank then ends it
# with code 0. A sanitizer build makes 4 tries each way.
source "$(dirname "$0")/lib/common.bash"
source "$(dirname "$0")/lib/dialogs.bash"
app_setup "$@"
TRIES=${TRIES:-10}
app_sanitized && TRIES=4
app_start
dlg_escape_closes_only 4 "Fish Settings" "$TRIES"
echo PASS
