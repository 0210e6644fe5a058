# Shared by the screenshot scripts that start the program in a user folder
# of their own; sourced, not run.

# A user folder of its own, so the program starts as on a new machine: sets
# $home and the XDG folders, and makes the program's data folder.
own_home() {
    home=$(mktemp -d)
    export XDG_DATA_HOME=$home/data XDG_CONFIG_HOME=$home/config
    mkdir -p "$XDG_DATA_HOME/vintora"
}

# Starts Xvfb on $display with a screen of 1280x1024. When the script ends,
# the program ($app), the processes in $helpers, the display and $home go.
start_display() {
    Xvfb "$display" -screen 0 1280x1024x24 -nolisten tcp &
    xvfb=$!
    app= helpers=
    trap end_display EXIT
    export DISPLAY=$display
}

end_display() {
    [ -n "$app" ] && kill "$app" 2>/dev/null || true
    # shellcheck disable=SC2086 # $helpers lists process ids
    kill $helpers "$xvfb" 2>/dev/null || true
    rm -rf "$home"
}

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
