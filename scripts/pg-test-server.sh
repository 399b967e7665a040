#!/usr/bin/env bash
# A throwaway PostgreSQL server for the tests:
#   scripts/pg-test-server.sh start DIR PORT   makes a cluster in DIR (created afresh), starts it
#                                              on 127.0.0.1:PORT and on a socket in DIR, and
#                                              creates the database "dravo" for the user "dravo"
#   scripts/pg-test-server.sh stop DIR         stops it and removes DIR
#   scripts/pg-test-server.sh kill DIR         kills the server at once (as a crash would)
#   scripts/pg-test-server.sh restart DIR      starts a killed server again
# The server runs as the calling user, or as "postgres" when called by root (the server refuses
# to run as root). Authentication: the user "dravo" is trusted; the user "dravo_pw" must give
# the password "dravo-secret" (for the tests of the password handling).
set -euo pipefail
cmd=${1:?start|stop|kill|restart}
dir=${2:?folder}
bin=$(ls -d /usr/lib/postgresql/*/bin 2>/dev/null | sort -V | tail -n 1)
[ -x "$bin/initdb" ] || { echo "no PostgreSQL server (install postgresql)" >&2; exit 1; }

as_server() {
  if [ "$(id -u)" -eq 0 ]; then runuser -u postgres -- "$@"; else "$@"; fi
}

pg_start() {
  local port
  port=$(cat "$dir/port")
  as_server "$bin/pg_ctl" -D "$dir/data" -l "$dir/server.log" -w -t 30 \
    -o "-p $port -k $dir -c listen_addresses=127.0.0.1 -c fsync=off" \
    start > /dev/null
}

case "$cmd" in
  start)
    port=${3:?port}
    if [ -f "$dir/data/postmaster.pid" ]; then
      as_server "$bin/pg_ctl" -D "$dir/data" -m immediate stop > /dev/null 2>&1 || true
    fi
    rm -rf "$dir"
    mkdir -p "$dir"
    echo "$port" > "$dir/port"
    if [ "$(id -u)" -eq 0 ]; then chown -R postgres: "$dir"; fi
    as_server "$bin/initdb" -D "$dir/data" -U dravo --auth-local=trust --auth-host=trust \
      -E UTF8 --locale=C.UTF-8 -N > "$dir/initdb.log"
    # The password user authenticates with a password over TCP; everyone else is trusted.
    hba="$dir/data/pg_hba.conf"
    as_server bash -c "{ echo 'host all dravo_pw 127.0.0.1/32 scram-sha-256'; cat '$hba'; } > '$hba.new' && mv '$hba.new' '$hba'"
    pg_start
    as_server "$bin/psql" -h "$dir" -p "$port" -U dravo -d postgres -q -v ON_ERROR_STOP=1 \
      -c "CREATE DATABASE dravo" \
      -c "CREATE ROLE dravo_pw LOGIN PASSWORD 'dravo-secret'" \
      -c "GRANT ALL ON DATABASE dravo TO dravo_pw" > /dev/null
    as_server "$bin/psql" -h "$dir" -p "$port" -U dravo -d dravo -q -c "GRANT ALL ON SCHEMA public TO dravo_pw" > /dev/null
    echo "postgresql://dravo@127.0.0.1:$port/dravo"
    ;;
  stop)
    if [ -f "$dir/data/postmaster.pid" ]; then
      as_server "$bin/pg_ctl" -D "$dir/data" -m fast stop > /dev/null 2>&1 || true
    fi
    rm -rf "$dir"
    ;;
  kill)
    pid=$(head -n 1 "$dir/data/postmaster.pid")
    kill -KILL "$pid"
    # The server's children notice the postmaster's death and leave.
    for _ in $(seq 50); do kill -0 "$pid" 2> /dev/null || break; sleep 0.1; done
    ;;
  restart)
    pg_start
    ;;
  *)
    echo "unknown command $cmd" >&2
    exit 2
    ;;
esac
