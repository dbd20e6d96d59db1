#!/usr/bin/env bash
# Prepares and looks after Key Derby's classroom database on an existing PostgreSQL server.
#
#   class-server.sh init                       creates (or upgrades in place) the database
#   class-server.sh add-class NAME             prints "class code: XXXX-XXXX"
#   class-server.sh add-teacher NAME CLASS     prints "teacher password: ..." (a new one each time)
#   class-server.sh add-students CLASS NAME... prints "NAME<TAB>join code" per student
#   class-server.sh status                     prints each class with its students and games
#
# CLASS is a class's name or its code. The server is found through PostgreSQL's usual
# environment: PGHOST, PGPORT, PGUSER, PGPASSWORD (or ~/.pgpass) and PGDATABASE, which defaults
# to keyderby. PGUSER must be allowed to create roles and databases (the postgres superuser).
#
# The game connects as the role keyderby_client. That role owns nothing and may only call the
# functions of the schema keyderby; every function checks the student's token or the teacher's
# password itself, so the role's password is not a secret (it is "keyderby").
set -euo pipefail

export PGDATABASE="${PGDATABASE:-keyderby}"
schema_version=1

usage() {
  sed -n '4,8p' "$0" | sed 's/^# *//' >&2
  exit 2
}

psql_db() { PGOPTIONS="${PGOPTIONS:-} -c client_min_messages=warning" psql -X -q -v ON_ERROR_STOP=1 -At "$@"; }

# Server messages without psql's "ERROR:  " prefix and the context lines.
run() {
  local out
  if ! out=$(psql_db "$@" 2>&1); then
    grep -m1 'ERROR:' <<<"$out" | sed 's/.*ERROR: *//' >&2 || echo "$out" >&2
    exit 1
  fi
  [ -z "$out" ] || printf '%s\n' "$out"
}

create_database() {
  local exists
  exists=$(PGDATABASE=postgres psql_db -v db="$PGDATABASE" 2>&1 \
    <<<"SELECT 1 FROM pg_database WHERE datname = :'db'") || {
    echo "cannot reach the PostgreSQL server: $exists" >&2
    exit 1
  }
  if [ "$exists" != 1 ]; then
    PGDATABASE=postgres run -v db="$PGDATABASE" <<'SQL'
SELECT format('CREATE DATABASE %I ENCODING ''UTF8'' TEMPLATE template0', :'db') \gexec
SQL
  fi
}

# Version 1: classes, teachers, students and their games. Each step runs once; the version
# row says which have run, so init upgrades an older database in place.
schema_v1() {
  cat <<'SQL'
CREATE TABLE keyderby.classes(
  id    serial PRIMARY KEY,
  name  text NOT NULL UNIQUE CHECK (keyderby.valid_name(name)),
  code  text NOT NULL UNIQUE CHECK (code ~ '^[A-Z2-9]{4}-[A-Z2-9]{4}$'),
  created_at timestamptz NOT NULL DEFAULT now());
CREATE TABLE keyderby.teachers(
  id    serial PRIMARY KEY,
  name  text NOT NULL UNIQUE CHECK (keyderby.valid_name(name)),
  salt  bytea NOT NULL,
  password_hash bytea NOT NULL);
CREATE TABLE keyderby.teacher_classes(
  teacher_id int NOT NULL REFERENCES keyderby.teachers ON DELETE CASCADE,
  class_id   int NOT NULL REFERENCES keyderby.classes ON DELETE CASCADE,
  PRIMARY KEY (teacher_id, class_id));
CREATE TABLE keyderby.students(
  id         serial PRIMARY KEY,
  class_id   int NOT NULL REFERENCES keyderby.classes ON DELETE CASCADE,
  name       text NOT NULL CHECK (keyderby.valid_name(name)),
  token_hash bytea NOT NULL UNIQUE,
  UNIQUE (class_id, name));
-- One row per game; the per-key and per-kana counts as {"a": [hits, misses], ...}.
CREATE TABLE keyderby.games(
  id         bigserial PRIMARY KEY,
  student_id int NOT NULL REFERENCES keyderby.students ON DELETE CASCADE,
  client_id  uuid NOT NULL,
  mode       smallint NOT NULL CHECK (mode BETWEEN 0 AND 9),
  genre      text NOT NULL CHECK (length(genre) BETWEEN 1 AND 40),
  ime        text CHECK (length(ime) <= 40),
  keys       int NOT NULL CHECK (keys >= 0),
  misses     int NOT NULL CHECK (misses >= 0),
  time_ms    int NOT NULL CHECK (time_ms >= 0),
  kps        real NOT NULL CHECK (kps >= 0),
  grade      text CHECK (length(grade) <= 2),
  played_at  timestamptz NOT NULL,
  abandoned  boolean NOT NULL,
  key_counts  jsonb NOT NULL DEFAULT '{}',
  kana_counts jsonb NOT NULL DEFAULT '{}',
  received_at timestamptz NOT NULL DEFAULT now(),
  UNIQUE (student_id, client_id));
CREATE INDEX games_by_student ON keyderby.games(student_id, mode, genre);
-- Each student's counts per key ('k') and kana ('u'), kept up to date as games arrive, so the
-- teacher's view adds up forty rows per key instead of every game.
CREATE TABLE keyderby.student_keys(
  student_id int NOT NULL REFERENCES keyderby.students ON DELETE CASCADE,
  kind   char(1) NOT NULL CHECK (kind IN ('k', 'u')),
  label  text NOT NULL CHECK (length(label) BETWEEN 1 AND 8),
  hits   bigint NOT NULL CHECK (hits >= 0),
  misses bigint NOT NULL CHECK (misses >= 0),
  PRIMARY KEY (student_id, kind, label));
-- Nobody but the owner reads a table; row-level security without a policy keeps it so even
-- when somebody grants a right by mistake.
ALTER TABLE keyderby.classes ENABLE ROW LEVEL SECURITY;
ALTER TABLE keyderby.teachers ENABLE ROW LEVEL SECURITY;
ALTER TABLE keyderby.teacher_classes ENABLE ROW LEVEL SECURITY;
ALTER TABLE keyderby.students ENABLE ROW LEVEL SECURITY;
ALTER TABLE keyderby.games ENABLE ROW LEVEL SECURITY;
ALTER TABLE keyderby.student_keys ENABLE ROW LEVEL SECURITY;
SQL
}

# The functions are replaced on every init, so a newer script brings its fixes along.
functions() {
  cat <<'SQL'
CREATE OR REPLACE FUNCTION keyderby.valid_name(n text) RETURNS boolean
LANGUAGE sql IMMUTABLE SET search_path = pg_catalog, pg_temp AS $$
  SELECT n IS NOT NULL AND length(btrim(n)) BETWEEN 1 AND 40 AND n = btrim(n)
         AND n !~ '[[:cntrl:]''";\\<>`]' AND position('--' IN n) = 0 $$;

CREATE OR REPLACE FUNCTION keyderby.new_code() RETURNS text
LANGUAGE sql VOLATILE SET search_path = pg_catalog, pg_temp AS $$
  SELECT string_agg(substr('ABCDEFGHJKLMNPQRSTUVWXYZ23456789', 1 + get_byte(b, i) % 32, 1)
                    || CASE WHEN i = 3 THEN '-' ELSE '' END, '' ORDER BY i)
  FROM (SELECT decode(replace(gen_random_uuid()::text, '-', ''), 'hex') AS b) r,
       generate_series(0, 7) AS i $$;

-- What the game stores instead of the join code: sha256("kd-join:" CLASSCODE ":" JOINCODE) in
-- hex. The server keeps only the hash of that token.
CREATE OR REPLACE FUNCTION keyderby.token_hash(token text) RETURNS bytea
LANGUAGE sql IMMUTABLE SET search_path = pg_catalog, pg_temp AS $$
  SELECT sha256(convert_to('kd-token:' || token, 'UTF8')) $$;

CREATE OR REPLACE FUNCTION keyderby.fail(code text, message text) RETURNS void
LANGUAGE plpgsql SET search_path = pg_catalog, pg_temp AS $$
BEGIN RAISE EXCEPTION USING ERRCODE = code, MESSAGE = message; END $$;

CREATE OR REPLACE FUNCTION keyderby.check_name(n text) RETURNS text
LANGUAGE plpgsql SET search_path = keyderby, pg_catalog, pg_temp AS $$
BEGIN
  IF NOT valid_name(n) THEN
    PERFORM fail('KD400', 'invalid name: 1 to 40 characters, no control characters and none of '' " ; \ < > ` --');
  END IF;
  RETURN n;
END $$;

CREATE OR REPLACE FUNCTION keyderby.class_of(class text) RETURNS int
LANGUAGE plpgsql STABLE SET search_path = keyderby, pg_catalog, pg_temp AS $$
DECLARE c int;
BEGIN
  SELECT id INTO c FROM classes WHERE name = class OR code = upper(class);
  IF c IS NULL THEN PERFORM fail('KD404', 'no such class: ' || coalesce(class, '')); END IF;
  RETURN c;
END $$;

CREATE OR REPLACE FUNCTION keyderby.add_class(class_name text) RETURNS text
LANGUAGE plpgsql SET search_path = keyderby, pg_catalog, pg_temp AS $$
DECLARE c text;
BEGIN
  LOOP
    c := new_code();
    EXIT WHEN NOT EXISTS (SELECT 1 FROM classes WHERE code = c);
  END LOOP;
  INSERT INTO classes(name, code) VALUES (check_name(class_name), c);
  RETURN c;
END $$;

CREATE OR REPLACE FUNCTION keyderby.add_teacher(teacher text, class text) RETURNS text
LANGUAGE plpgsql SET search_path = keyderby, pg_catalog, pg_temp AS $$
DECLARE
  password text := lower(replace(new_code() || new_code(), '-', ''));
  s bytea := decode(replace(gen_random_uuid()::text, '-', ''), 'hex');
  c int := class_of(class);
  t int;
BEGIN
  INSERT INTO teachers(name, salt, password_hash)
    VALUES (check_name(teacher), s, sha256(s || convert_to(password, 'UTF8')))
    ON CONFLICT (name) DO UPDATE SET salt = excluded.salt, password_hash = excluded.password_hash
    RETURNING id INTO t;
  INSERT INTO teacher_classes VALUES (t, c) ON CONFLICT DO NOTHING;
  RETURN password;
END $$;

CREATE OR REPLACE FUNCTION keyderby.add_students(class text, names text[])
RETURNS TABLE(name text, join_code text)
LANGUAGE plpgsql SET search_path = keyderby, pg_catalog, pg_temp AS $$
DECLARE
  c int := class_of(class);
  code text;
  n text;
BEGIN
  SELECT classes.code INTO code FROM classes WHERE id = c;
  FOREACH n IN ARRAY names LOOP
    name := check_name(n);
    join_code := new_code();
    INSERT INTO students(class_id, name, token_hash)
      VALUES (c, n, token_hash(encode(sha256(convert_to('kd-join:' || code || ':' || join_code, 'UTF8')), 'hex')))
      ON CONFLICT ON CONSTRAINT students_class_id_name_key DO UPDATE SET token_hash = excluded.token_hash;
    RETURN NEXT;
  END LOOP;
END $$;

CREATE OR REPLACE FUNCTION keyderby.status()
RETURNS TABLE(class text, code text, students bigint, games bigint)
LANGUAGE sql STABLE SET search_path = keyderby, pg_catalog, pg_temp AS $$
  SELECT c.name, c.code,
         (SELECT count(*) FROM students s WHERE s.class_id = c.id),
         (SELECT count(*) FROM games g JOIN students s ON s.id = g.student_id WHERE s.class_id = c.id)
  FROM classes c ORDER BY c.name $$;

-- The student behind an id and token, or a refusal.
CREATE OR REPLACE FUNCTION keyderby.student(student_id int, token text) RETURNS keyderby.students
LANGUAGE plpgsql STABLE SET search_path = keyderby, pg_catalog, pg_temp AS $$
DECLARE s students;
BEGIN
  SELECT * INTO s FROM students WHERE id = student_id AND token_hash = token_hash(token);
  IF s.id IS NULL THEN PERFORM fail('KD403', 'student not recognised'); END IF;
  RETURN s;
END $$;

-- The class, if the teacher's name and password are right and it is one of theirs.
CREATE OR REPLACE FUNCTION keyderby.teacher_class(class_code text, teacher text, password text) RETURNS int
LANGUAGE plpgsql STABLE SET search_path = keyderby, pg_catalog, pg_temp AS $$
DECLARE c int;
BEGIN
  SELECT tc.class_id INTO c FROM teachers t
    JOIN teacher_classes tc ON tc.teacher_id = t.id
    JOIN classes k ON k.id = tc.class_id
   WHERE t.name = teacher AND k.code = upper(class_code)
     AND t.password_hash = sha256(t.salt || convert_to(password, 'UTF8'));
  IF c IS NULL THEN PERFORM fail('KD403', 'wrong class code, name or password'); END IF;
  RETURN c;
END $$;

-- What the game calls: joining a class, sending games, the ranking, the teacher's view.
CREATE OR REPLACE FUNCTION keyderby.join_class(class_code text, student_name text, token text)
RETURNS TABLE(student_id int, class_name text)
LANGUAGE plpgsql SECURITY DEFINER SET search_path = keyderby, pg_catalog, pg_temp AS $$
BEGIN
  PERFORM check_name(student_name);
  IF NOT EXISTS (SELECT 1 FROM classes WHERE code = upper(class_code)) THEN
    PERFORM fail('KD404', 'wrong class code');
  END IF;
  RETURN QUERY SELECT s.id, c.name FROM students s JOIN classes c ON c.id = s.class_id
    WHERE c.code = upper(class_code) AND s.name = student_name AND s.token_hash = token_hash(token);
  IF NOT FOUND THEN PERFORM fail('KD403', 'name or join code not recognised'); END IF;
END $$;

-- Stores the games not stored yet (the game's own ids make a second sending harmless) and
-- returns how many were new.
CREATE OR REPLACE FUNCTION keyderby.submit_games(student_id int, token text, batch jsonb) RETURNS int
LANGUAGE plpgsql SECURITY DEFINER SET search_path = keyderby, pg_catalog, pg_temp AS $$
DECLARE
  s students := student(student_id, token);
  added int;
BEGIN
  IF batch IS NULL OR jsonb_typeof(batch) <> 'array' THEN PERFORM fail('KD400', 'games must be a list'); END IF;
  IF jsonb_array_length(batch) > 200 OR octet_length(batch::text) > 1048576 THEN
    PERFORM fail('KD413', 'too many games or too much data in one sending');
  END IF;
  IF EXISTS (SELECT 1 FROM jsonb_array_elements(batch) g
              WHERE octet_length(g::text) > 16384
                 OR jsonb_typeof(coalesce(g->'key_counts', '{}')) <> 'object'
                 OR jsonb_typeof(coalesce(g->'kana_counts', '{}')) <> 'object') THEN
    PERFORM fail('KD413', 'a game is too large');
  END IF;
  WITH stored AS (
    INSERT INTO games(student_id, client_id, mode, genre, ime, keys, misses, time_ms, kps, grade,
                      played_at, abandoned, key_counts, kana_counts)
    SELECT s.id, (g->>'id')::uuid, (g->>'mode')::smallint, g->>'genre', g->>'ime', (g->>'keys')::int,
           (g->>'misses')::int, (g->>'time_ms')::int, (g->>'kps')::real, g->>'grade',
           to_timestamp((g->>'played_at')::bigint / 1000.0), coalesce((g->>'abandoned')::boolean, false),
           coalesce(g->'key_counts', '{}'), coalesce(g->'kana_counts', '{}')
      FROM jsonb_array_elements(batch) g
    ON CONFLICT ON CONSTRAINT games_student_id_client_id_key DO NOTHING
    RETURNING key_counts, kana_counts),
  counts AS (
    SELECT 'k' AS kind, e.key AS label, (e.value->>0)::bigint AS h, (e.value->>1)::bigint AS m
      FROM stored, jsonb_each(stored.key_counts) e
    UNION ALL
    SELECT 'u', e.key, (e.value->>0)::bigint, (e.value->>1)::bigint
      FROM stored, jsonb_each(stored.kana_counts) e),
  tallied AS (
    INSERT INTO student_keys AS t(student_id, kind, label, hits, misses)
    SELECT s.id, c.kind, c.label, sum(c.h), sum(c.m) FROM counts c GROUP BY c.kind, c.label
    ON CONFLICT ON CONSTRAINT student_keys_pkey
      DO UPDATE SET hits = t.hits + excluded.hits, misses = t.misses + excluded.misses)
  SELECT count(*) INTO added FROM stored;
  RETURN added;
END $$;

-- Best finished game per student in a mode and genre: the fastest time trial, otherwise the
-- most correct keys per second.
CREATE OR REPLACE FUNCTION keyderby.class_ranking(c int, game_mode int, game_genre text)
RETURNS TABLE(place bigint, student_id int, name text, best_kps real, best_time_ms int, games bigint)
LANGUAGE sql STABLE SET search_path = keyderby, pg_catalog, pg_temp AS $$
  SELECT rank() OVER (ORDER BY CASE WHEN game_mode = 1 THEN min(g.time_ms)::real ELSE -max(g.kps) END),
         s.id, s.name, max(g.kps), min(g.time_ms), count(*)
    FROM students s JOIN games g ON g.student_id = s.id
   WHERE s.class_id = c AND g.mode = game_mode AND g.genre = game_genre AND NOT g.abandoned
   GROUP BY s.id, s.name ORDER BY 1, s.name $$;

CREATE OR REPLACE FUNCTION keyderby.ranking(student_id int, token text, class_code text,
                                            game_mode int, game_genre text)
RETURNS TABLE(place bigint, name text, best_kps real, best_time_ms int, games bigint, mine boolean)
LANGUAGE plpgsql SECURITY DEFINER SET search_path = keyderby, pg_catalog, pg_temp AS $$
DECLARE s students := student(student_id, token);
BEGIN
  IF NOT EXISTS (SELECT 1 FROM classes WHERE id = s.class_id AND code = upper(class_code)) THEN
    PERFORM fail('KD403', 'not your class');
  END IF;
  RETURN QUERY SELECT r.place, r.name, r.best_kps, r.best_time_ms, r.games, r.student_id = s.id
                 FROM class_ranking(s.class_id, game_mode, game_genre) r;
END $$;

CREATE OR REPLACE FUNCTION keyderby.teacher_students(class_code text, teacher text, password text)
RETURNS TABLE(student_id int, name text, games bigint, best_kps real, best_time_ms int, last_played_ms bigint)
LANGUAGE plpgsql SECURITY DEFINER SET search_path = keyderby, pg_catalog, pg_temp AS $$
DECLARE c int := teacher_class(class_code, teacher, password);
BEGIN
  RETURN QUERY SELECT s.id, s.name, count(g.id), max(g.kps) FILTER (WHERE NOT g.abandoned),
                      min(g.time_ms) FILTER (WHERE g.mode = 1 AND NOT g.abandoned),
                      (extract(epoch FROM max(g.played_at)) * 1000)::bigint
                 FROM students s LEFT JOIN games g ON g.student_id = s.id
                WHERE s.class_id = c GROUP BY s.id, s.name ORDER BY s.name;
END $$;

CREATE OR REPLACE FUNCTION keyderby.teacher_games(class_code text, teacher text, password text)
RETURNS TABLE(student_id int, played_ms bigint, mode smallint, genre text, keys int, misses int,
              time_ms int, kps real, grade text, abandoned boolean)
LANGUAGE plpgsql SECURITY DEFINER SET search_path = keyderby, pg_catalog, pg_temp AS $$
DECLARE c int := teacher_class(class_code, teacher, password);
BEGIN
  RETURN QUERY SELECT g.student_id, (extract(epoch FROM g.played_at) * 1000)::bigint, g.mode, g.genre, g.keys, g.misses, g.time_ms, g.kps,
                      g.grade, g.abandoned
                 FROM games g JOIN students s ON s.id = g.student_id
                WHERE s.class_id = c ORDER BY g.student_id, g.played_at;
END $$;

-- The class's counts per key ('k') and per kana ('u').
CREATE OR REPLACE FUNCTION keyderby.teacher_keys(class_code text, teacher text, password text)
RETURNS TABLE(kind text, label text, hits bigint, misses bigint)
LANGUAGE plpgsql SECURITY DEFINER SET search_path = keyderby, pg_catalog, pg_temp AS $$
DECLARE c int := teacher_class(class_code, teacher, password);
BEGIN
  RETURN QUERY
    SELECT k.kind::text, k.label, sum(k.hits)::bigint, sum(k.misses)::bigint
      FROM student_keys k JOIN students s ON s.id = k.student_id
     WHERE s.class_id = c GROUP BY k.kind, k.label;
END $$;

CREATE OR REPLACE FUNCTION keyderby.teacher_ranking(class_code text, teacher text, password text,
                                                    game_mode int, game_genre text)
RETURNS TABLE(place bigint, name text, best_kps real, best_time_ms int, games bigint)
LANGUAGE plpgsql SECURITY DEFINER SET search_path = keyderby, pg_catalog, pg_temp AS $$
DECLARE c int := teacher_class(class_code, teacher, password);
BEGIN
  RETURN QUERY SELECT r.place, r.name, r.best_kps, r.best_time_ms, r.games
                 FROM class_ranking(c, game_mode, game_genre) r;
END $$;

CREATE OR REPLACE FUNCTION keyderby.remove_student(class_code text, teacher text, password text, student int)
RETURNS boolean
LANGUAGE plpgsql SECURITY DEFINER SET search_path = keyderby, pg_catalog, pg_temp AS $$
DECLARE c int := teacher_class(class_code, teacher, password);
BEGIN
  DELETE FROM students WHERE id = student AND class_id = c;
  RETURN FOUND;
END $$;

CREATE OR REPLACE FUNCTION keyderby.api_version() RETURNS int
LANGUAGE sql IMMUTABLE SECURITY DEFINER SET search_path = pg_catalog, pg_temp AS $$
  SELECT version FROM keyderby.meta $$;
SQL
}

init() {
  create_database
  # A step per version after the one the database has; everything in one transaction.
  {
    cat <<'SQL'
BEGIN;
DO $$ BEGIN
  IF NOT EXISTS (SELECT 1 FROM pg_roles WHERE rolname = 'keyderby_owner') THEN
    CREATE ROLE keyderby_owner NOLOGIN;
  END IF;
  IF NOT EXISTS (SELECT 1 FROM pg_roles WHERE rolname = 'keyderby_client') THEN
    CREATE ROLE keyderby_client LOGIN PASSWORD 'keyderby';
  END IF;
END $$;
GRANT keyderby_owner TO CURRENT_USER;
CREATE SCHEMA IF NOT EXISTS keyderby AUTHORIZATION keyderby_owner;
REVOKE ALL ON SCHEMA public FROM PUBLIC;
REVOKE ALL ON DATABASE :"DBNAME" FROM PUBLIC;
GRANT CONNECT ON DATABASE :"DBNAME" TO keyderby_client;
SET ROLE keyderby_owner;
CREATE TABLE IF NOT EXISTS keyderby.meta(version int NOT NULL);
INSERT INTO keyderby.meta SELECT 0 WHERE NOT EXISTS (SELECT 1 FROM keyderby.meta);
SELECT version = 0 AS fresh FROM keyderby.meta \gset
SQL
    # valid_name is needed by the tables' checks before the rest of the functions.
    functions | sed -n '/valid_name(n text)/,/\$\$;/p'
    echo "\\if :fresh"
    schema_v1
    echo "\\endif"
    # Replaced whole, so a newer script may change what a function returns; the tables' checks
    # keep valid_name.
    cat <<'SQL'
DO $$ DECLARE f regprocedure;
BEGIN
  FOR f IN SELECT p.oid::regprocedure FROM pg_proc p JOIN pg_namespace n ON n.oid = p.pronamespace
            WHERE n.nspname = 'keyderby' AND p.proname <> 'valid_name' LOOP
    EXECUTE 'DROP FUNCTION ' || f;
  END LOOP;
END $$;
SQL
    functions
    cat <<SQL
SELECT CASE WHEN version > $schema_version THEN keyderby.fail('KD426', 'this database is newer than this script') END FROM keyderby.meta;
UPDATE keyderby.meta SET version = $schema_version;
SQL
    cat <<'SQL'
REVOKE ALL ON ALL TABLES IN SCHEMA keyderby FROM PUBLIC;
REVOKE ALL ON ALL FUNCTIONS IN SCHEMA keyderby FROM PUBLIC;
GRANT USAGE ON SCHEMA keyderby TO keyderby_client;
GRANT EXECUTE ON FUNCTION keyderby.join_class(text, text, text), keyderby.submit_games(int, text, jsonb),
  keyderby.ranking(int, text, text, int, text), keyderby.teacher_students(text, text, text),
  keyderby.teacher_games(text, text, text), keyderby.teacher_keys(text, text, text),
  keyderby.teacher_ranking(text, text, text, int, text), keyderby.remove_student(text, text, text, int),
  keyderby.api_version() TO keyderby_client;
RESET ROLE;
COMMIT;
SQL
  } | run -v DBNAME="$PGDATABASE"
  local host="${PGHOST:-localhost}"
  [[ "$host" == /* ]] && host=localhost
  echo "server: $host:${PGPORT:-5432}"
  echo "database: $PGDATABASE"
  echo "schema version: $schema_version"
  echo "game login: keyderby_client (password keyderby; it may only call the game's functions)"
}

cmd="${1:-}"
[ $# -gt 0 ] && shift
case "$cmd" in
  init) [ $# -eq 0 ] || usage; init ;;
  add-class)
    [ $# -eq 1 ] || usage
    code=$(run -v name="$1" <<<"SELECT keyderby.add_class(:'name')")
    echo "class code: $code"
    ;;
  add-teacher)
    [ $# -eq 2 ] || usage
    pw=$(run -v name="$1" -v class="$2" <<<"SELECT keyderby.add_teacher(:'name', :'class')")
    echo "teacher password: $pw"
    ;;
  add-students)
    [ $# -ge 2 ] || usage
    class=$1
    shift
    # The names travel as one array literal built by the server from psql's quoted variables.
    args=(-v class="$class")
    list=""
    i=0
    for n in "$@"; do
      args+=(-v "n$i=$n")
      list+="${list:+, }:'n$i'"
      i=$((i + 1))
    done
    run "${args[@]}" -F $'\t' <<<"SELECT name, join_code FROM keyderby.add_students(:'class', ARRAY[$list]::text[])"
    ;;
  status)
    [ $# -eq 0 ] || usage
    run -F $'\t' <<<"SELECT format('%s (%s): %s students, %s games', class, code, students, games) FROM keyderby.status()"
    ;;
  *) usage ;;
esac
