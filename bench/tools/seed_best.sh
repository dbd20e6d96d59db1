#!/usr/bin/env bash
# seed_best.sh PLAYER_FOLDER GENRE MS_PER_KEY: gives a player a learning record holding one
# finished time trial of GENRE ("english" or "kannyouku") whose 114 correct keys came every
# MS_PER_KEY ms, ten to a question, and switches the ghost on. For the benchmark and for
# looking at the ghost without playing a first run by hand.
set -euo pipefail
dir=$1 genre=$2 every=$3
here=$(cd "$(dirname "$0")/../.." && pwd)
db=$dir/learning.sqlite
[ -f "$db" ] || sqlite3 "$db" <"$here/learning/schema.sql"
{
  echo "BEGIN;"
  echo "INSERT OR IGNORE INTO meta VALUES('schema_version', '1');"
  echo "INSERT OR REPLACE INTO settings VALUES('ghost', '1');"
  awk -v genre="$genre" -v every="$every" 'BEGIN {
    n = 114; t = n * every
    printf "INSERT INTO games(mode, genre, started_at, duration_ms, correct, misses, time_ms) VALUES(1, \"%s\", 1700000000000, %d, %d, 0, %d);\n", genre, t, n, t
    for (q = 0; q * 10 < n; q++) {
      shown = q * 10 * every; last = q * 10 + 10 <= n ? 10 * every : (n - q * 10) * every
      printf "INSERT INTO questions VALUES(last_insert_rowid_g(), %d, 0, \"best\", \"best\", %d, %d, %d, 0, %d);\n", q, shown, every, last, q * 10 + 10 <= n
    }
    for (i = 0; i < n; i++)
      printf "INSERT INTO keys VALUES(last_insert_rowid_g(), %d, %d, %d, \"a\", \"a\", \"a\", 1, \"a\");\n", i, int(i / 10), (i % 10 + 1) * every
  }' | sed 's/last_insert_rowid_g()/(SELECT max(id) FROM games)/'
  echo "COMMIT;"
} | sqlite3 "$db"
