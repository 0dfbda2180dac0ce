# How long the text overlay shows, in wall-clock time, from screenshots taken one after
# another with their times. The overlay's text is drawn unlit and untextured in pure white,
# so a screenshot shows its pixels exactly; what else is pure white in the tank (a glint on a
# fish, a bubble's rim) is a few dozen pixels at most where the text lies.
#
# A showing begins between the last screenshot without the text and the first with it, and
# ends between the last with it and the first without. Each screenshot's picture is taken
# somewhere between the moment its command starts and the moment it returns, so the
# showing's length lies between (start of the last shot with it) - (end of the first shot
# with it) and (end of the first shot without it after) - (start of the last shot without
# it before). The middle of that range is the measure; half its width is how far the
# screenshot spacing leaves it uncertain.

# The overlay's nominal showing: 100 steps of 1/60 s.
OVERLAY_SECONDS=1.667
# Beyond the uncertainty of the screenshot spacing: the last step may be drawn up to one
# step late (17 ms) and shown a refresh later (17 ms at 60 Hz), and a shared test machine
# may delay that frame by a few tens of milliseconds more.
OVERLAY_SLACK=0.06
# Screenshots farther apart than this leave the measure too vague to judge.
OVERLAY_MAX_UNCERTAINTY=0.25

# Microseconds since the epoch, without a process.
overlay_now() { OVERLAY_NOW=${EPOCHREALTIME//[!0-9]/}; }

# Takes screenshots with command "$@" FILE for $2 seconds into directory $1 (shot.0,
# shot.1, ...), and writes one line a shot to $1/times: "index start end swaps" (times in
# microseconds, swaps the count in $OVERLAY_SWAPS when set).
overlay_capture() {
  local dir=$1 seconds=$2 i=0 t0 t1 end n
  shift 2
  mkdir -p "$dir"
  : > "$dir/times"
  overlay_now
  end=$((OVERLAY_NOW + ${seconds%.*} * 1000000))
  while :; do
    overlay_now; t0=$OVERLAY_NOW
    "$@" "$dir/shot.$i" || app_fail "the screenshot command failed: $*"
    overlay_now; t1=$OVERLAY_NOW
    n=0
    [ -n "${OVERLAY_SWAPS:-}" ] && [ -s "$OVERLAY_SWAPS" ] && read -r n < "$OVERLAY_SWAPS"
    echo "$i $t0 $t1 $n" >> "$dir/times"
    i=$((i + 1))
    [ "$t1" -lt "$end" ] || break
  done
}

# Counts the pure white pixels of every shot in $1 (within region $2, WxH+X+Y, or all of
# it when $2 is empty; $3 names the shots' format when their content does not, as "xwd:")
# and writes "start end swaps count" lines to $1/counts.
overlay_count() {
  local dir=$1 region=$2 format=${3:-} i t0 t1 n c
  : > "$dir/counts"
  while read -r i t0 t1 n; do
    c=$(convert "$format$dir/shot.$i" ${region:+-crop "$region" +repage} -fill black +opaque white \
      -fill white -opaque white -format '%[fx:int(mean*w*h+0.5)]' info:) ||
      app_fail "cannot read screenshot $dir/shot.$i"
    echo "$t0 $t1 $n $c" >> "$dir/counts"
    rm -f "$dir/shot.$i"
  done < "$dir/times"
}

# Reads "start end swaps count" lines (microseconds) on its input; a shot shows the overlay
# when count >= $1. With $2 (microseconds) the overlay cannot have shown before that moment
# (the program's first frame), which bounds a showing that is up at the first shot.
# Prints "verdict seconds uncertainty shots spacing frames": verdict is ok, none (never
# shown), early (up at the first shot with no bound before), open (still up at the last
# shot) or twice (it went and came back); seconds and uncertainty are the measure and half
# its range, spacing the mean time from one shot's start to the next, frames the swaps
# counted between the first shot with the text and the first without it.
overlay_judge() {
  awk -v min="$1" -v floor="${2:-}" '
    { t0[NR] = $1; t1[NR] = $2; sw[NR] = $3; on[NR] = ($4 >= min) }
    END {
      n = NR; first = 0; after = 0; back = 0
      for (i = 1; i <= n; i++) {
        if (on[i] && !first) first = i
        else if (!on[i] && first && !after) after = i
        else if (on[i] && after && !back) back = i
      }
      spacing = (n > 1) ? (t0[n] - t0[1]) / (n - 1) / 1e6 : 0
      if (!first) { printf "none 0 0 %d %.3f 0\n", n, spacing; exit }
      if (first == 1 && floor == "") { printf "early 0 0 %d %.3f 0\n", n, spacing; exit }
      if (!after) { printf "open %.3f 0 %d %.3f 0\n", (t0[n] - t0[first]) / 1e6, n, spacing; exit }
      if (back) { printf "twice 0 0 %d %.3f 0\n", n, spacing; exit }
      before = (first == 1) ? floor : t0[first - 1]
      lo = (t0[after - 1] - t1[first]) / 1e6
      hi = (t1[after] - before) / 1e6
      printf "ok %.3f %.3f %d %.3f %d\n", (lo + hi) / 2, (hi - lo) / 2, n, spacing, sw[after] - sw[first]
    }'
}

# Whether a measure of $1 seconds, uncertain by $2, shows the nominal showing: within the
# uncertainty plus the slack of it, and measured finely enough to tell.
overlay_accepts() {
  awk -v d="$1" -v u="$2" -v want="$OVERLAY_SECONDS" -v slack="$OVERLAY_SLACK" \
    -v umax="$OVERLAY_MAX_UNCERTAINTY" \
    'BEGIN { e = d - want; if (e < 0) e = -e; exit !(u <= umax && e <= u + slack) }'
}
