#!/usr/bin/env bash
# The mutation check: makes one small change at a time to the sources (a constant, a
# comparison, an operator), builds the unit tests that cover the changed folder and runs
# them. A change that some test notices is killed; one that every test lets through survives
# and shows a gap in the tests (or is listed as equivalent: no behaviour can tell it apart).
#
#   tests/mutants/run.sh [--quick] [--only N[,N...]] [LIST]
#     --quick       only the mutants tagged "## quick" (a short check that the harness works)
#     --only N,...  only the mutants on these lines of the list
#     --check       only check that every original text is found, build nothing
#     LIST          the mutant list (default tests/mutants/list.txt)
#
# The list: "file <path> tests <target>... [filter <gtest filter>]" starts a block; each
# following line is one mutant, "<original> ==> <replacement> [@N] [## note]": the N-th
# (default first) occurrence of the exact original text in the file becomes the replacement.
# A note starting with "equivalent:" says why no test can see the change; "quick" puts the
# mutant in the --quick set. A missing original text stops the run before anything is built.
#
# Work happens in a scratch copy (build-mutants/src) and a build directory in it that persists
# between runs (build-mutants/src/build), so each mutant recompiles only what includes the
# changed file; with ccache the restored original comes from the cache.
set -euo pipefail
# The whole script is one function, read before it runs: editing the file meanwhile is safe.
main() {
root=$(cd "$(dirname "$0")/../.." && pwd)
list=$root/tests/mutants/list.txt
quick=0
check=0
only=""
while [ $# -gt 0 ]; do
  case "$1" in
    --quick) quick=1 ;;
    --check) check=1 ;;
    --only) only=",$2,"; shift ;;
    -*) echo "usage: $0 [--quick] [--check] [--only N[,N...]] [LIST]" >&2; exit 2 ;;
    *) list=$1 ;;
  esac
  shift
done
scratch=${PELAVO_MUTANT_DIR:-$root/build-mutants}
src=$scratch/src
# The build directory sits where the tree's own build/ does (rsync leaves it alone), so with
# ccache and a base directory the unchanged files come from the tree's own builds.
bld=$src/build
logs=$scratch/logs
test_timeout=${PELAVO_MUTANT_TIMEOUT:-300}

trim() {
  local s=$1
  s=${s#"${s%%[![:space:]]*}"}
  s=${s%"${s##*[![:space:]]}"}
  printf '%s' "$s"
}

# ---- read the list ----
m_line=() m_file=() m_orig=() m_repl=() m_nth=() m_note=() m_targets=() m_filter=()
cur_file="" cur_targets="" cur_filter=""
lineno=0
while IFS= read -r line || [ -n "$line" ]; do
  lineno=$((lineno + 1))
  case "$line" in ''|'#'*) continue ;; esac
  if [[ $line == "file "* ]]; then
    read -r -a words <<<"$line"
    cur_file=${words[1]} cur_targets="" cur_filter=""
    mode=""
    for w in "${words[@]:2}"; do
      case "$w" in
        tests) mode=t ;;
        filter) mode=f ;;
        *) if [ "$mode" = t ]; then cur_targets+="$w "; else cur_filter=$w; fi ;;
      esac
    done
    [ -f "$root/$cur_file" ] || { echo "mutants: $list:$lineno: no file $cur_file" >&2; exit 2; }
    [ -n "$cur_targets" ] || { echo "mutants: $list:$lineno: no test targets" >&2; exit 2; }
    continue
  fi
  [ -n "$cur_file" ] || { echo "mutants: $list:$lineno: mutant before any file line" >&2; exit 2; }
  [[ $line == *" ==> "* ]] || { echo "mutants: $list:$lineno: no ' ==> ' in: $line" >&2; exit 2; }
  note=""
  body=$line
  if [[ $body == *" ## "* ]]; then note=$(trim "${body#* ## }"); body=${body%% ## *}; fi
  orig=$(trim "${body%% ==> *}")
  repl=$(trim "${body#* ==> }")
  nth=1
  if [[ $repl =~ ^(.*[^[:space:]])[[:space:]]+@([0-9]+)$ ]]; then
    repl=${BASH_REMATCH[1]} nth=${BASH_REMATCH[2]}
  fi
  if [ "$quick" = 1 ] && [[ $note != quick* ]]; then continue; fi
  if [ -n "$only" ] && [[ $only != *",$lineno,"* ]]; then continue; fi
  m_line+=("$lineno") m_file+=("$cur_file") m_orig+=("$orig") m_repl+=("$repl")
  m_nth+=("$nth") m_note+=("$note") m_targets+=("$cur_targets") m_filter+=("$cur_filter")
done <"$list"
total=${#m_line[@]}
[ "$total" -gt 0 ] || { echo "mutants: no mutant selected from $list" >&2; exit 2; }

# Prints the file's text with the nth occurrence of orig replaced; fails when there is none.
mutate() {
  local text=$1 orig=$2 repl=$3 nth=$4 head="" i
  for ((i = 1; i < nth; i++)); do
    [[ $text == *"$orig"* ]] || return 1
    head+=${text%%"$orig"*}$orig
    text=${text#*"$orig"}
  done
  [[ $text == *"$orig"* ]] || return 1
  printf '%s' "$head${text%%"$orig"*}$repl${text#*"$orig"}"
}
read_whole() { local t; t=$(cat "$1"; printf x); printf '%s' "${t%x}"; }

# Every original text must be found before anything is built.
missing=0
for ((k = 0; k < total; k++)); do
  if ! mutate "$(read_whole "$root/${m_file[k]}")" "${m_orig[k]}" "${m_repl[k]}" "${m_nth[k]}" >/dev/null; then
    echo "mutants: $list:${m_line[k]}: '${m_orig[k]}' (occurrence ${m_nth[k]}) not found in ${m_file[k]}" >&2
    missing=1
  fi
done
[ "$missing" = 0 ] || exit 2
if [ "$check" = 1 ]; then echo "mutants: all $total original texts found"; exit 0; fi

# ---- scratch copy and build directory ----
command -v rsync >/dev/null || { echo "mutants: rsync is needed" >&2; exit 2; }
mkdir -p "$src" "$logs"
rsync -a --delete --exclude '/build' --exclude '/build-*' --exclude '/.git' "$root/" "$src/"
# A run stopped half-way may have left a mutant's object behind; rsync gives the file back its
# old time stamp, so it must be made newer than that object.
if [ -f "$scratch/mutated" ]; then
  while IFS= read -r f; do if [ -f "$src/$f" ]; then touch "$src/$f"; fi; done <"$scratch/mutated"
  rm -f "$scratch/mutated"
fi
launcher=()
if command -v ccache >/dev/null; then
  launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache)
fi
cmake -S "$src" -B "$bld" -DCMAKE_BUILD_TYPE=Release "${launcher[@]}" >"$logs/configure.log" 2>&1 ||
  { echo "mutants: configuring failed, see $logs/configure.log" >&2; exit 2; }
jobs=${PELAVO_MUTANT_JOBS:-$(nproc)}

# Builds the targets and runs their tests; returns 0 when every test passed.
run_tests() {
  local log=$1 filter=$2 t
  shift 2
  cmake --build "$bld" -j "$jobs" --target "$@" >"$log" 2>&1 || return 3
  for t in "$@"; do
    local args=(--gtest_brief=1 --gtest_fail_fast)
    [ -n "$filter" ] && args+=(--gtest_filter="$filter")
    ( cd "$bld/tests" && SDL_AUDIODRIVER=dummy timeout "$test_timeout" "./$t" "${args[@]}" ) >>"$log" 2>&1 || return 1
  done
  return 0
}

# The unchanged sources must pass, or every mutant would count as killed.
all_targets=$(printf '%s\n' "${m_targets[@]}" | tr ' ' '\n' | sed '/^$/d' | sort -u | tr '\n' ' ')
echo "mutants: building and checking the unchanged tests ($all_targets)"
# shellcheck disable=SC2086
if ! run_tests "$logs/baseline.log" "" $all_targets; then
  echo "mutants: the unchanged sources fail their tests or do not build, see $logs/baseline.log" >&2
  exit 2
fi

killed=0 survived=0 equivalent=0 broken=0
survivors=()
begin=$SECONDS
for ((k = 0; k < total; k++)); do
  f=${m_file[k]}
  original=$(read_whole "$src/$f")
  printf '%s\n' "$f" >>"$scratch/mutated"
  mutate "$original" "${m_orig[k]}" "${m_repl[k]}" "${m_nth[k]}" >"$src/$f"
  log=$logs/mutant-${m_line[k]}.log
  status=0
  t0=$SECONDS
  # shellcheck disable=SC2086
  run_tests "$log" "${m_filter[k]}" ${m_targets[k]} || status=$?
  printf '%s' "$original" >"$src/$f"  # a new time stamp: the next build compiles it again
  what="$f: '${m_orig[k]}' -> '${m_repl[k]}'"
  [ "${m_nth[k]}" != 1 ] && what+=" (occurrence ${m_nth[k]})"
  case $status in
    0) if [[ ${m_note[k]} == equivalent* ]]; then
         equivalent=$((equivalent + 1))
         echo "  [$((k + 1))/$total] equivalent (line ${m_line[k]}) $what"
       else
         echo "  [$((k + 1))/$total] SURVIVED (line ${m_line[k]}) $what"
       fi
       survived=$((survived + 1))
       survivors+=("line ${m_line[k]}: $what${m_note[k]:+ ## ${m_note[k]}}") ;;
    3) broken=$((broken + 1))
       echo "  [$((k + 1))/$total] DOES NOT BUILD (line ${m_line[k]}) $what, see $log" ;;
    *) killed=$((killed + 1))
       echo "  [$((k + 1))/$total] killed in $((SECONDS - t0)) s (line ${m_line[k]}) $what" ;;
  esac
done
# Leave the build directory matching the unchanged sources.
# shellcheck disable=SC2086
cmake --build "$bld" -j "$jobs" --target $all_targets >"$logs/restore.log" 2>&1 && rm -f "$scratch/mutated"

echo "mutants: killed $killed/$total ($((killed * 100 / total)) %) in $((SECONDS - begin)) s"
if [ ${#survivors[@]} -gt 0 ]; then
  echo "mutants: survivors:"
  printf '  %s\n' "${survivors[@]}"
fi
[ "$broken" = 0 ] || { echo "mutants: $broken mutant(s) do not build: fix the list" >&2; exit 1; }
unexplained=$((survived - equivalent))
if [ "$quick" = 1 ]; then
  [ "$killed" = "$total" ] || { echo "mutants: a quick mutant survived" >&2; exit 1; }
elif [ "$unexplained" -gt 0 ]; then
  echo "mutants: $unexplained survivor(s) need a test or an 'equivalent:' note" >&2
  exit 1
elif [ $((killed * 100)) -lt $((total * 90)) ]; then
  echo "mutants: fewer than 90 % killed" >&2
  exit 1
fi
}
main "$@"
exit 0
