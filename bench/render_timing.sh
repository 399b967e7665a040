#!/usr/bin/env bash
# Wall time of `dravo-cli render` on a large template: 100 articles, 10,000 clauses, 30,000
# commands (half of them variables), VARIABLES variables (default 50). The template is made from
# `dravo-cli new` through dump, jq and build, in a throw-away folder.
#   bench/render_timing.sh [build-dir] [runs]
set -euo pipefail
cd "$(dirname "$0")/.."
BUILD_DIR=${1:-${BUILD_DIR:-build}}
RUNS=${2:-10}
VARIABLES=${VARIABLES:-50}
CLI="$BUILD_DIR/src/cli/dravo-cli"
[ -x "$CLI" ] || { echo "no $CLI: build the target dravo-cli first" >&2; exit 1; }
command -v jq >/dev/null || { echo "jq is needed" >&2; exit 1; }

WORK=$(mktemp -d)
trap '[ -n "${KEEP:-}" ] || rm -rf "$WORK"' EXIT
# A data folder with the user's requisites and the databases, as a real render reads them.
"$CLI" init-data "$WORK/Data" >/dev/null
"$CLI" db init --root "$WORK" >/dev/null
"$CLI" new "$WORK/base.adf" --place "г. Москва" >/dev/null
"$CLI" dump "$WORK/base.adf" >"$WORK/base.json"

jq --argjson vars "$VARIABLES" '
  def filler: "Стороны обязуются исполнять условия настоящего договора надлежащим образом и в срок. ";
  def others: ["{первый: название}", "{первого: должность}", "{предмета}", "{должен}",
               "{сумма предмета}", "{дата составления}", "{/}", "{указанный}"];
  .articles[0].clauses[0] as $clause | .articles[0].heading as $head |
  .variables.items = [range($vars) | $clause + {m_strName: "переменная \(.)",
                                                m_strText: "значение переменной номер \(.)"}] |
  .articles = [range(100) as $a | {
    heading: ($head + {m_nType: 1, m_strText: "СТАТЬЯ ДОГОВОРА"}),
    clauses: [range(100) as $j | ($a * 100 + $j) as $n |
      ([range(3) as $c | ($n * 3 + $c) as $k |
        filler + (if $k % 2 == 0 then "{переменная \(($k / 2 | floor) % $vars)} "
                  else others[($k / 2 | floor) % 8] + " " end)] | join("")) as $text |
      $clause + {m_nType: 3, m_strText: ($text + filler + filler)}]}]
' "$WORK/base.json" >"$WORK/large.json"
"$CLI" build "$WORK/large.json" "$WORK/large.adf" >/dev/null

"$CLI" render "$WORK/large.adf" --root "$WORK" --utf8 -o "$WORK/page.html" >/dev/null
echo "large template: $(stat -c %s "$WORK/large.adf") bytes, page $(stat -c %s "$WORK/page.html") bytes (UTF-8), $VARIABLES variables"
times=()
for _ in $(seq "$RUNS"); do
  t0=$(date +%s%N)
  "$CLI" render "$WORK/large.adf" --root "$WORK" --utf8 -o "$WORK/page.html" >/dev/null
  t1=$(date +%s%N)
  times+=($(((t1 - t0) / 1000000)))
done
sorted=$(printf '%s\n' "${times[@]}" | sort -n)
echo "render wall time (ms), $RUNS runs: ${times[*]}"
echo "median $(echo "$sorted" | sed -n "$(((RUNS + 1) / 2))p") ms, best $(echo "$sorted" | head -n 1) ms"
