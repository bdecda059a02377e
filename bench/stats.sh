# shellcheck shell=bash
# Sourced by the comparison scripts of bench/: the median of the times
# recorded under one key, and the ratio of two of them.
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

# a / b to two decimals, or "-" when either is no number or b is not above 0.
ratio() {  # a, b
  awk -v a="$1" -v b="$2" -v num="$BENCH_NUMBER" 'BEGIN {
    if (a !~ num || b !~ num || b <= 0) print "-"; else printf "%.2f", a / b }'
}
