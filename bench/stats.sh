# shellcheck shell=bash
# Sourced by the comparison scripts of bench/: the median of the times
# recorded under one key, how widely they spread, and the ratio of two times.
#
# A times file holds one line per run: a key and a number, or a word saying
# why the run has no number (timeout, failed).

# What counts as a number, for awk's -v.
BENCH_NUMBER='^-?[0-9]+([.][0-9]*)?([eE][-+]?[0-9]+)?$'

# Median of a key's numbers; the first word instead when any run of the key
# has one, "none" when the key has no run.
median() {  # times-file, key
  awk -v k="$2" -v num="$BENCH_NUMBER" '$1 == k { if ($2 !~ num) { if (w == "") w = $2 } else v[n++] = $2 }
    END {
      if (w != "") { print w; exit }
      if (n == 0) { print "none"; exit }
      for (i = 0; i < n; i++) for (j = i + 1; j < n; j++) if (v[j] < v[i]) { x = v[i]; v[i] = v[j]; v[j] = x }
      print (n % 2) ? v[int(n / 2)] : (v[n / 2 - 1] + v[n / 2]) / 2
    }' "$1"
}

# The widest spread of the runs of the keys given: (slowest - fastest) /
# median, in percent; "-" when a key has no number.
spread() {  # times-file, key...
  local f=$1
  shift
  awk -v keys="$*" -v num="$BENCH_NUMBER" '
    BEGIN { nk = split(keys, k, " "); for (i = 1; i <= nk; i++) want[k[i]] = 1 }
    $1 in want { if ($2 ~ num) v[$1, ++n[$1]] = $2 + 0; else bad = 1 }
    END {
      for (i = 1; i <= nk && !bad; i++) {
        c = n[k[i]]
        if (c == 0) { bad = 1; break }
        for (a = 1; a <= c; a++) for (b = a + 1; b <= c; b++)
          if (v[k[i], b] < v[k[i], a]) { x = v[k[i], a]; v[k[i], a] = v[k[i], b]; v[k[i], b] = x }
        m = (c % 2) ? v[k[i], (c + 1) / 2] : (v[k[i], c / 2] + v[k[i], c / 2 + 1]) / 2
        if (m > 0 && (v[k[i], c] - v[k[i], 1]) / m > w) w = (v[k[i], c] - v[k[i], 1]) / m
      }
      if (bad) print "-"; else printf "%.0f%%\n", 100 * w
    }' "$f"
}

# a / b to two decimals, or "-" when either is no number or b is not above 0.
ratio() {  # a, b
  awk -v a="$1" -v b="$2" -v num="$BENCH_NUMBER" 'BEGIN {
    if (a !~ num || b !~ num || b <= 0) print "-"; else printf "%.2f", a / b }'
}
