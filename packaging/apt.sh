# shellcheck shell=sh
# Installing Debian's packages, for packaging/release.sh and .ci/run, which
# source this file (POSIX sh). Every apt-get waits up to 10 minutes for a
# lock that another apt holds.
#
#   apt_install WHO PACKAGE...  installs those of PACKAGE that are not
#                               installed, without what they only recommend;
#                               WHO names the caller in what it says
#   apt_update WHO              updates the package indexes; see below
#   apt_mirror SUITE            prints the address of the first source of
#                               SUITE in this machine's apt sources
#
# A mirror now and then serves one index that does not match its Release
# file ("File has unexpected size ... Mirror sync in progress?"), often of a
# suite or an architecture that the install does not need. So a failed
# update is tried again, at most QUORBIX_APT_ATTEMPTS times in all (3 unless
# set), QUORBIX_APT_PAUSE seconds apart (15), and then only warned of, naming
# the indexes apt could not have: the install that follows decides, and
# fails with apt's own message if a package really cannot be had.

apt_get() {
  DEBIAN_FRONTEND=noninteractive apt-get -o DPkg::Lock::Timeout=600 "$@"
}

apt_update() {
  apt_attempt=1
  while :; do
    apt_said=$(apt_get update 2>&1) && return 0
    [ "$apt_attempt" -lt "${QUORBIX_APT_ATTEMPTS:-3}" ] || break
    sleep "${QUORBIX_APT_PAUSE:-15}"
    apt_attempt=$((apt_attempt + 1))
  done
  echo "$1: warning: 'apt-get update' failed $apt_attempt times; installing from the indexes" \
    "there are. What apt said of the indexes it could not have:" >&2
  printf '%s\n' "$apt_said" | grep -E '^(E|W|Err):' | grep -v 'Some index files failed' >&2 ||
    printf '%s\n' "$apt_said" | tail -n 5 >&2
}

apt_install() {
  apt_who=$1
  shift
  apt_missing=
  for apt_package in "$@"; do
    [ "$(dpkg-query -W -f='${db:Status-Status}' "$apt_package" 2>/dev/null)" = installed ] ||
      apt_missing="$apt_missing $apt_package"
  done
  [ -n "$apt_missing" ] || return 0
  echo "$apt_who: installing$apt_missing"
  apt_update "$apt_who"
  # shellcheck disable=SC2086 # one word per package
  apt_said=$(apt_get install -y --no-install-recommends $apt_missing 2>&1) || {
    printf '%s\n' "$apt_said" >&2
    echo "$apt_who: apt-get cannot install$apt_missing; what it said is above" >&2
    return 1
  }
}

# The one-line format ("deb [OPTIONS] URI SUITE COMPONENT...") and the
# deb822 one ("Types:", "URIs:", "Suites:" fields, stanzas apart by blank
# lines) both.
apt_mirror() {
  apt_file=/etc/apt/sources.list apt_parts=/etc/apt/sources.list.d/
  eval "$(apt-config shell apt_file Dir::Etc::SourceList/f apt_parts Dir::Etc::SourceParts/d)"
  {
    for apt_list in "$apt_file" "$apt_parts"*.list; do
      [ -f "$apt_list" ] || continue
      sed -e 's/#.*//' -e 's/\[[^]]*\]//' "$apt_list" |
        awk -v suite="$1" '$1 == "deb" && $3 == suite { print $2; exit }'
    done
    for apt_list in "$apt_parts"*.sources; do
      [ -f "$apt_list" ] || continue
      sed -e '/^[[:space:]]*#/d' -e 's/#.*//' "$apt_list" | awk -v suite="$1" '
        function stanza() {
          if (!done && deb && on && uri != "" && enabled) { print uri; done = 1 }
          deb = 0; on = 0; uri = ""; enabled = 1
        }
        BEGIN { enabled = 1 }
        /^[ \t]*$/ { stanza(); next }
        $1 == "Types:" { for (i = 2; i <= NF; i++) if ($i == "deb") deb = 1 }
        $1 == "URIs:" { uri = $2 }
        $1 == "Suites:" { for (i = 2; i <= NF; i++) if ($i == suite) on = 1 }
        $1 == "Enabled:" && $2 == "no" { enabled = 0 }
        END { stanza() }'
    done
  } | awk 'NR == 1 { print } END { exit NR == 0 }' || {
    echo "no source of $1 in this machine's apt sources" >&2
    return 1
  }
}
