# Shared by the screenshot scripts that start the program without feed
# servers; sourced, not run.

# Prints the id of the first window whose name matches $1, waiting up to
# ten seconds; prints nothing when none appears.
find_window() {
    for _ in $(seq 50); do
        id=$(xdotool search --name "$1" 2>/dev/null | head -n 1 || true)
        [ -n "$id" ] && { echo "$id"; return; }
        sleep 0.2
    done
}

# Waits for the main window and sets $window to it. Without a feed server
# the start-up ends with a notice that holds every click: it is answered.
wait_for_sheet() {
    window=$(find_window '^Vintora')
    [ -n "$window" ] || { echo "the window did not appear" >&2; exit 1; }
    local notice
    notice=$(find_window '^(温馨提示|提示)$')
    [ -n "$notice" ] && xdotool windowfocus --sync "$notice" key Return
    sleep 1
}
