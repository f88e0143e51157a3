#!/usr/bin/env bash
# Our own round trips, as a user runs them: each table is exported (CSV with a header, SQLite,
# patch text) and imported back into a copy of itself, and the saved copy is compared byte for
# byte with what a save of the untouched table writes (the table itself, when its string block is
# de-duplicated in first-met order as client files are). A table whose key repeats is imported
# back by position, as the refusal by key tells the user to. Prints one line per table and path;
# exits 1 when a copy differs.
#
# usage: scripts/round-trips.sh BUILD_DIR [TABLE.dbc ...]
# Without tables: the bundled examples and the generated table of hostile texts.
set -euo pipefail

build=$(realpath "$1")
shift
cli="$build/cli/kelvane-cli"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# A folder of settings of our own, so no remembered definitions or build of the user's apply.
export XDG_CONFIG_HOME="$work/config"

tables=("$@")
if ((${#tables[@]} == 0)); then
  mkdir "$work/hostile"
  "$build/tests/kelvane_make_hostile_table" "$work/hostile"
  tables=(examples/*.dbc "$work/hostile/Hostile-Texts.dbc")
fi

# Copies the table and its field definitions into a folder of its own under work.
copy_table() {
  local table=$1 into=$2
  mkdir -p "$into"
  cp "$table" "$into/"
  if [[ -f ${table%.dbc}.ini ]]; then
    cp "${table%.dbc}.ini" "$into/"
  fi
}

# Runs an import into the copy; when it refuses a repeated key, runs it again by position.
import_back() {
  local log=$1
  shift
  if "$cli" "$@" >"$log" 2>&1; then
    return 0
  fi
  grep -q -- "--by-position" "$log" && "$cli" "$@" --by-position >"$log" 2>&1
}

failed=0
for table in "${tables[@]}"; do
  name=$(basename "$table")
  saved="$work/saved/$name"
  copy_table "$table" "$work/saved"
  "$cli" resave "$work/saved/$name" "$saved.resaved" >/dev/null
  note=""
  cmp -s "$table" "$saved.resaved" || note=", as a save of the untouched table"
  for path in csv sqlite patch; do
    copy="$work/$path/${name%.dbc}"
    rm -rf "$copy"
    copy_table "$table" "$copy"
    out="$copy/out.dbc"
    case $path in
      csv)
        "$cli" export-csv "$table" "$copy/export.csv" --header >/dev/null 2>&1
        import_back "$copy/log" import-csv "$copy/$name" "$copy/export.csv" "$out" --header || true
        ;;
      sqlite)
        "$cli" export-sqlite "$table" "$copy/export.db" >/dev/null 2>&1
        import_back "$copy/log" import-sqlite "$copy/$name" "$copy/export.db" "$out" || true
        ;;
      patch)
        "$cli" export-patch "$table" "$copy/export.txt" >/dev/null 2>&1
        "$cli" apply-patch "$copy/$name" "$copy/export.txt" "$out" >"$copy/log" 2>&1 || true
        ;;
    esac
    if [[ -f $out ]] && cmp -s "$saved.resaved" "$out"; then
      echo "$name $path: identical$note ($(grep -o 'changed [0-9]*, added [0-9]*' "$copy/log" || echo "applied"))"
    else
      failed=1
      echo "$name $path: DIFFERS: $(tail -n 1 "$copy/log")"
    fi
  done
done
exit "$failed"
