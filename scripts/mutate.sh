#!/usr/bin/env bash
# Mutation run: plants each one-line slip of tests/mutants.tsv in a scratch
# copy of the tree, builds it incrementally, runs the tests the row names and
# reports whether they noticed. The working tree is only read.
#
#   bash scripts/mutate.sh [--only ID[,ID...]] [--table FILE]
#
# VINTORA_MUTATE_DIR (default /tmp/vintora-mutate) holds the copy and its
# build folders; all are kept between runs so the next run builds only what
# changed. Exit status 0 when every mutant was killed.
#
# Table: tab-separated, '#' starts a comment line. Columns:
#   id  file  line  tests  before  after  why  [build]
# "before" is found as plain text on the line nearest to "line", so small
# drift does not matter; a row whose text is gone is reported STALE. No
# field may be empty (tabs would run together). "tests"
# is a ctest -R pattern ("-" for the whole suite); the run stops at the first
# failing test. "build" is left out for the plain build; "checked" runs the
# row on the checked build of test.sh's second pass (checked-build.sh), for
# slips only a bounds check sees.
set -euo pipefail
shopt -u patsub_replacement 2>/dev/null || true

root=$(git -C "$(dirname "${BASH_SOURCE[0]}")" rev-parse --show-toplevel)
table="$root/tests/mutants.tsv"
only=""
while [[ $# -gt 0 ]]; do
    case $1 in
        --only) only=",$2,"; shift 2 ;;
        --table) table=$(realpath "$2"); shift 2 ;;
        -h|--help) sed -n '2,22p' "${BASH_SOURCE[0]}" | sed 's/^# \{0,1\}//'; exit 0 ;;
        *) echo "unknown argument: $1" >&2; exit 2 ;;
    esac
done

scratch=${VINTORA_MUTATE_DIR:-/tmp/vintora-mutate}
src="$scratch/src"
log="$scratch/log"
mkdir -p "$src" "$log"
# shellcheck source=scripts/checked-build.sh
source "$root/scripts/checked-build.sh"
# ccache and ninja make the many rebuilds quick; without them the run works
# all the same, with plain make and without a compiler cache.
if [[ -z ${CMAKE_CXX_COMPILER_LAUNCHER:-} ]] && command -v ccache > /dev/null; then
    export CMAKE_CXX_COMPILER_LAUNCHER=ccache
fi
export CCACHE_BASEDIR="$scratch"
generator=()
if command -v ninja > /dev/null; then
    generator=(-G Ninja)
fi
export QT_QPA_PLATFORM=offscreen
jobs=${VINTORA_MUTATE_JOBS:-2}

# The copy: the tracked files as they are now in the working tree (edits
# included). Unchanged files keep their time stamps, so builds stay incremental.
sync_tree() {
    local listed="$scratch/tracked" present="$scratch/present"
    git -C "$root" ls-files --cached --others --exclude-standard | sort > "$listed"
    while IFS= read -r file; do
        [[ -f "$root/$file" ]] || continue
        if ! cmp -s "$root/$file" "$src/$file"; then
            mkdir -p "$(dirname "$src/$file")"
            cp -p "$root/$file" "$src/$file"
        fi
    done < "$listed"
    (cd "$src" && find . -type f | sed 's|^\./||' | sort) > "$present"
    comm -13 "$listed" "$present" | while IFS= read -r gone; do rm -f "$src/$gone"; done
}

# Each build ("plain" or "checked") has a folder of its own, configured once.
folder_of() {
    if [[ $1 == checked ]]; then echo "$scratch/build-checked"; else echo "$scratch/build"; fi
}

configure() {
    local kind=$1 folder
    folder=$(folder_of "$kind")
    [[ -f $folder/CMakeCache.txt ]] && return 0
    local args=(-DCMAKE_BUILD_TYPE=RelWithDebInfo)
    [[ $kind == checked ]] && args=("${checked_cmake_args[@]}")
    cmake -S "$src" -B "$folder" "${generator[@]}" "${args[@]}" > "$log/configure-$kind.txt"
}

# Test names matching a ctest pattern; each test here is a target of its own name.
tests_for() {
    ctest --test-dir "$1" -N -R "$2" | sed -n 's/^ *Test *#[0-9]*: //p'
}

# The whole suite builds everything: some of its tests are scripts, no targets.
build_for() {
    local folder targets=""
    folder=$(folder_of "$1")
    [[ $2 == - ]] || targets=$(tests_for "$folder" "$2" | tr '\n' ' ')
    # shellcheck disable=SC2086
    cmake --build "$folder" -j"$jobs" ${targets:+--target $targets}
}

run_tests() {
    local kind=$1 pattern=$2 timeout=300
    local -a environment=()
    if [[ $kind == checked ]]; then
        timeout=$checked_timeout environment=("${checked_test_env[@]}")
    fi
    local args=(--test-dir "$(folder_of "$kind")" --stop-on-failure --timeout "$timeout" -j"$jobs" --output-on-failure)
    [[ $pattern == - ]] || args+=(-R "$pattern")
    env "${environment[@]}" ctest "${args[@]}"
}

# Plants `after` in place of `before` on the line nearest `line`; prints the
# line number used, or nothing when `before` occurs nowhere.
plant() {
    local file=$1 line=$2 before=$3 after=$4
    local -a lines
    mapfile -t lines < "$file"
    local best=-1 bestDistance=0 i distance
    for i in "${!lines[@]}"; do
        if [[ ${lines[i]} == *"$before"* ]]; then
            distance=$(( i + 1 - line )); distance=${distance#-}
            if (( best < 0 || distance < bestDistance )); then
                best=$i; bestDistance=$distance
            fi
        fi
    done
    (( best >= 0 )) || return 0
    lines[best]=${lines[best]/"$before"/"$after"}
    printf '%s\n' "${lines[@]}" > "$file"
    echo $(( best + 1 ))
}

start=$(date +%s)
echo "mutation run: table $table, scratch $scratch"
sync_tree

# The build a row runs on.
kind_of() {
    [[ $1 == checked ]] && echo checked || echo plain
}

# Rows to run, and the tests they need all together on each build.
declare -a rows=()
while IFS= read -r row; do
    [[ -z $row || $row == \#* ]] && continue
    IFS=$'\t' read -r id _ <<< "$row"
    [[ -z $only || $only == *",$id,"* ]] && rows+=("$row")
done < "$table"
if [[ ${#rows[@]} -eq 0 ]]; then
    echo "no mutant selected" >&2
    exit 2
fi
declare -A patterns=()
for row in "${rows[@]}"; do
    IFS=$'\t' read -r _ _ _ tests _ _ _ build <<< "$row"
    kind=$(kind_of "$build")
    patterns[$kind]+="$tests"$'\n'
done

# The unchanged tree must pass the same tests, or no mutant can be judged.
for kind in "${!patterns[@]}"; do
    if grep -qx -- - <<< "${patterns[$kind]}"; then
        union=-
    else
        union=$(sort -u <<< "${patterns[$kind]}" | sed '/^$/d' | paste -sd'|')
    fi
    echo "baseline ($kind build): building and running ${union}"
    if ! configure "$kind" || ! build_for "$kind" "$union" > "$log/baseline-$kind-build.txt" 2>&1 \
        || ! run_tests "$kind" "$union" > "$log/baseline-$kind-tests.txt" 2>&1; then
        echo "baseline fails; see $log/configure-$kind.txt and $log/baseline-$kind-*.txt" >&2
        exit 2
    fi
done

killed=0 survived=0 stale=0 broken=0
: > "$log/summary.txt"
for row in "${rows[@]}"; do
    IFS=$'\t' read -r id file line tests before after why build <<< "$row"
    kind=$(kind_of "$build")
    target="$src/$file"
    t0=$(date +%s)
    status="" detail=""
    if [[ ! -f $target ]]; then
        status=STALE detail="no file $file"
    else
        cp -p "$target" "$scratch/original"
        used=$(plant "$target" "$line" "$before" "$after")
        if [[ -z $used ]]; then
            status=STALE detail="text not found in $file"
        elif ! build_for "$kind" "$tests" > "$log/$id-build.txt" 2>&1; then
            status=NOBUILD detail="$file:$used does not compile (see $log/$id-build.txt)"
        elif run_tests "$kind" "$tests" > "$log/$id-tests.txt" 2>&1; then
            status=SURVIVED detail="$file:$used; $why"
        else
            # CTest's closing list, which also names a test that aborted.
            failed=$(grep -m1 -E '^\s+[0-9]+ - [^ ]+ \(' "$log/$id-tests.txt" | sed -E 's/^\s+[0-9]+ - ([^ ]+) .*/\1/' || true)
            status=KILLED detail="$file:$used by ${failed:-a failing test}"
        fi
        # A fresh time stamp makes the next build compile the restored file again.
        cp "$scratch/original" "$target"
        touch "$target"
    fi
    case $status in
        KILLED) killed=$((killed + 1)) ;;
        SURVIVED) survived=$((survived + 1)) ;;
        STALE) stale=$((stale + 1)) ;;
        NOBUILD) broken=$((broken + 1)) ;;
    esac
    printf '%-9s %-26s %4ss  %s\n' "$status" "$id" "$(( $(date +%s) - t0 ))" "$detail" | tee -a "$log/summary.txt"
done

judged=$((killed + survived))
elapsed=$(( $(date +%s) - start ))
echo "----"
echo "mutants: ${#rows[@]}; killed $killed, survived $survived, stale $stale, not compiling $broken"
if (( judged > 0 )); then
    echo "kill rate: $killed of $judged ($(( 100 * killed / judged ))%)"
fi
printf 'time: %dm%02ds\n' $((elapsed / 60)) $((elapsed % 60))
(( survived == 0 && stale == 0 && broken == 0 ))
