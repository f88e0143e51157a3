#!/usr/bin/env bash
# Loads the MySQL dump of each example table and of a table of hostile texts into a private
# MariaDB server and compares what SELECT returns with the comma-separated export of the same
# table, cell for cell. The server is our own: its data folder and socket lie in a temporary
# folder, it listens on no network, and it is stopped and the folder removed however the test
# ends. Installs mariadb-server and mariadb-client when they are missing (as root); without
# them and without root it ends with 77, which CTest reports as skipped.
#
# usage: test-mariadb.sh KELVANE_CLI MAKE_HOSTILE_TABLE COMPARE_ROWS
set -euo pipefail

if (($# != 3)); then
  echo "usage: $0 KELVANE_CLI MAKE_HOSTILE_TABLE COMPARE_ROWS" >&2
  exit 2
fi
cli=$1
make_hostile_table=$2
compare_rows=$3
repo=$(cd "$(dirname "$0")/.." && pwd)

mariadbd_path() { PATH="$PATH:/usr/sbin:/usr/local/sbin" command -v mariadbd || true; }
if [[ -z "$(mariadbd_path)" ]] || ! command -v mariadb-install-db >/dev/null ||
  ! command -v mariadb >/dev/null; then
  if (($(id -u) != 0)); then
    echo "skipped: MariaDB is not installed, and only root may install it" >&2
    exit 77
  fi
  "$repo/scripts/install-deps.sh" mariadb-server mariadb-client
fi
mariadbd=$(mariadbd_path)

work=$(mktemp -d "${TMPDIR:-/tmp}/kelvane-mariadb.XXXXXX")
socket="$work/server.sock"
user=$(id -un)
server_pid=""

stop_server() {
  if [[ -n "$server_pid" ]] && kill -0 "$server_pid" 2>/dev/null; then
    mariadb-admin --no-defaults --socket="$socket" --user="$user" shutdown 2>/dev/null ||
      kill "$server_pid" 2>/dev/null || true
    wait "$server_pid" 2>/dev/null || true
  fi
  rm -rf "$work"
}
trap stop_server EXIT
trap 'exit 130' INT TERM HUP

# The definitions settings of whoever runs the test must not change how the tables load.
export XDG_CONFIG_HOME="$work/config"
# The export writes floats with the locale's decimal separator; the comparison reads ".".
export LC_ALL=C

echo "Starting a private MariaDB server in $work"
mariadb-install-db --no-defaults --datadir="$work/data" --user="$user" \
  --auth-root-authentication-method=socket --skip-test-db >"$work/install.log" 2>&1 || {
  cat "$work/install.log" >&2
  exit 1
}
# The server's own settings are the ones a dump must not rely on: backslashes taken literally,
# double quotes around names, Latin-1 texts. The dump sets what it needs for its session.
"$mariadbd" --no-defaults --datadir="$work/data" --socket="$socket" --pid-file="$work/server.pid" \
  --skip-networking --user="$user" --log-error="$work/server.log" \
  --innodb-buffer-pool-size=64M --max-allowed-packet=16M \
  --sql-mode=NO_BACKSLASH_ESCAPES,ANSI_QUOTES,PIPES_AS_CONCAT --character-set-server=latin1 \
  >"$work/server.out" 2>&1 &
server_pid=$!

sql() { mariadb --no-defaults --socket="$socket" --user="$user" "$@"; }
for ((tries = 0; ; tries++)); do
  if mariadb-admin --no-defaults --socket="$socket" --user="$user" ping >/dev/null 2>&1; then
    break
  fi
  if ! kill -0 "$server_pid" 2>/dev/null || ((tries >= 120)); then
    echo "the server did not start:" >&2
    cat "$work/server.out" "$work/server.log" >&2 || true
    exit 1
  fi
  sleep 0.5
done
sql -e "CREATE DATABASE kelvane_test"

# The rows of a table as compare_rows reads them: every cell tagged by its column's type.
select_rows() {
  local table=$1 columns name type value select=""
  columns=$(sql --batch --raw --skip-column-names kelvane_test -e \
    "SELECT COLUMN_NAME, DATA_TYPE FROM information_schema.COLUMNS
     WHERE TABLE_SCHEMA = 'kelvane_test' AND TABLE_NAME = '$table' ORDER BY ORDINAL_POSITION")
  while IFS=$'\t' read -r name type; do
    name="\`${name//\`/\`\`}\`"
    case $type in
      *text | *blob) value="CONCAT('t', HEX($name))" ;;
      double) value="CONCAT('f', $name)" ;;
      *) value="CONCAT('i', $name)" ;;
    esac
    select+="${select:+, }IFNULL($value, '')"
  done <<<"$columns"
  sql --batch --raw --skip-column-names kelvane_test -e "SELECT $select FROM \`$table\`"
}

# Dumps the table, loads the dump and compares; prints what it checked.
check_table() {
  local dbc=$1 table
  table=$(basename "$dbc" .dbc)
  "$cli" export-sql "$dbc" "$work/$table.sql" >/dev/null
  sql kelvane_test <"$work/$table.sql"
  "$cli" export-csv "$dbc" "$work/$table.csv" >/dev/null
  select_rows "$table" >"$work/$table.rows"
  echo -n "$table ($(grep -c '^INSERT INTO' "$work/$table.sql") INSERT statements): "
  "$compare_rows" "$work/$table.rows" "$work/$table.csv"
}

for dbc in "$repo"/examples/*.dbc; do
  check_table "$dbc"
done

mkdir "$work/hostile"
"$make_hostile_table" "$work/hostile"
check_table "$work/hostile/Hostile-Texts.dbc"
# The table is made to need several statements and a binary column.
(($(grep -c '^INSERT INTO' "$work/Hostile-Texts.sql") > 1))
sql --batch --skip-column-names kelvane_test -e \
  "SELECT DATA_TYPE FROM information_schema.COLUMNS
   WHERE TABLE_SCHEMA = 'kelvane_test' AND COLUMN_NAME = 'Raw bytes'" | grep -qx blob
# Names are data. A table file whose name holds line breaks, a client command and a statement is
# refused with a one-line message; a dump whose own name holds them, and a table whose name holds
# the other characters the client reads specially (but "/", which no file name holds), load
# without running any of them: the victim table survives, and no PWNED file appears in the
# folder the client runs in.
names="$work/names"
mkdir "$names"
attack=$'\n\\! touch PWNED\nDROP TABLE victim;#'
sql kelvane_test -e "CREATE TABLE victim (id INT); INSERT INTO victim VALUES (7)"
load_in_names() { (cd "$names" && sql kelvane_test <"$1"); }
victim_survived() {
  [[ ! -e "$names/PWNED" ]] &&
    [[ "$(sql --batch --skip-column-names kelvane_test -e 'SELECT id FROM victim')" == 7 ]]
}
records_of() { "$cli" info "$1" | sed -n 's/^Records: *//p'; }

cp "$repo/examples/Faction.dbc" "$names/X${attack}.dbc"
cp "$repo/examples/Faction.ini" "$names/X${attack}.ini"
if "$cli" export-sql "$names/X${attack}.dbc" "$names/refused.sql" 2>"$names/refused.err"; then
  echo "export-sql wrote a dump of a table whose name holds line breaks" >&2
  exit 1
fi
[[ ! -e "$names/refused.sql" ]]
(($(wc -l <"$names/refused.err") == 1))
# shellcheck disable=SC2016 # the back-quotes are the message's own
grep -qF 'the table name `X\n\! touch PWNED\nDROP TABLE victim;#`, taken from' "$names/refused.err"

"$cli" export-sql "$repo/examples/Faction.dbc" "$names/out${attack}.sql" >/dev/null
grep -qF -- '-- Load it with: mariadb DATABASE < out\n\! touch PWNED\nDROP TABLE victim;#.sql' \
  "$names/out${attack}.sql"
sql kelvane_test -e "DROP TABLE Faction"
load_in_names "$names/out${attack}.sql"
victim_survived
[[ "$(sql --batch --skip-column-names kelvane_test -e 'SELECT COUNT(*) FROM Faction')" == \
  "$(records_of "$repo/examples/Faction.dbc")" ]]

odd=$'Semi;colon \\! touch PWNED #-- \'q\' "d" `b` -- x'
cp "$repo/examples/Faction.dbc" "$names/$odd.dbc"
cp "$repo/examples/Faction.ini" "$names/$odd.ini"
"$cli" export-sql "$names/$odd.dbc" "$names/odd.sql" >/dev/null
load_in_names "$names/odd.sql"
victim_survived
[[ "$(sql --batch --skip-column-names kelvane_test -e "SELECT COUNT(*) FROM \`${odd//\`/\`\`}\`")" == \
  "$(records_of "$names/$odd.dbc")" ]]
echo "Names in file names and dump names stay names: nothing they hold ran."

echo "All dumps load and read back as the export writes them."
