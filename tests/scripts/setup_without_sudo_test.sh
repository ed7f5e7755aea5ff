#!/usr/bin/env bash
# scripts/setup.sh run by a user who is not root, with packages missing: without sudo, and with
# a sudo that does not admit the user, it names the missing packages and the one command that
# installs them, exits with an error, and never runs sudo's install (whose own "not in the
# sudoers file" would be all the user sees). Tools are stand-ins on a PATH of their own.
#   setup_without_sudo_test.sh <path of scripts/setup.sh>
set -uo pipefail
setup="$1"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
failures=0

bin="$work/bin"
mkdir -p "$bin"
ln -s "$(command -v grep)" "$bin/grep"
cat >"$bin/id" <<'STUB'
#!/bin/sh
case "$1" in -u) echo 1000 ;; -nG) echo "operator users" ;; *) echo "uid=1000(operator)" ;; esac
STUB
cat >"$bin/dpkg-query" <<'STUB'
#!/bin/sh
# Only g++ is installed.
for last; do :; done
[ "$last" = "g++" ] && printf 'install ok installed'
exit 0
STUB
cat >"$bin/apt-get" <<STUB
#!/bin/sh
echo "apt-get \$*" >>"$work/ran"
exit 0
STUB
chmod +x "$bin/id" "$bin/dpkg-query" "$bin/apt-get"

check() {
  local name="$1" args="$2"
  rm -f "$work/ran"
  local out
  out="$(env -i PATH="$bin" "$BASH" "$setup" $args 2>&1)"
  local status=$?
  local bad=""
  [ "$status" -ne 0 ] || bad+=" it exited 0;"
  grep -q "missing: cmake ninja-build" <<<"$out" || bad+=" the missing packages are not named;"
  grep -q "g++" <<<"$out" && bad+=" an installed package is named;"
  grep -qF "su -c 'apt-get update && apt-get install -y --no-install-recommends cmake" <<<"$out" ||
    bad+=" the command that installs them is not given;"
  if [ "$args" = "--tests" ]; then
    grep -q "printer-driver-cups-pdf" <<<"$out" || bad+=" the test packages are not named;"
  else
    grep -q "cups" <<<"$out" && bad+=" a test package is named for a run;"
  fi
  grep -q "^sudo" <<<"$out" && bad+=" sudo speaks;"
  [ -e "$work/ran" ] && bad+=" apt-get ran: $(cat "$work/ran");"
  if [ -n "$bad" ]; then
    echo "FAIL $name:$bad"
    echo "$out" | sed 's/^/  | /'
    failures=$((failures + 1))
  else
    echo "ok   $name"
  fi
}

check "no sudo at all" ""
check "no sudo at all, for the tests" "--tests"

cat >"$bin/sudo" <<STUB
#!/bin/sh
echo "sudo \$*" >>"$work/sudo-calls"
[ "\$1" = "-n" ] && { echo "sudo: a password is required" >&2; exit 1; }
echo "sudo: operator is not in the sudoers file.  This incident will be reported." >&2
exit 1
STUB
chmod +x "$bin/sudo"
check "a sudo that does not admit the user" ""
if grep -qv "^sudo -n true$" "$work/sudo-calls"; then
  echo "FAIL sudo was asked for more than whether it admits the user: $(cat "$work/sudo-calls")"
  failures=$((failures + 1))
fi

[ "$failures" -eq 0 ]
