# Sourced by the tests of what the build installs: takes their arguments BUILD_DIR VERSION into
# $build and $version, gives them a temporary folder $work removed however they end, and fail.
if (($# != 2)); then
  echo "usage: $0 BUILD_DIR VERSION" >&2
  exit 2
fi
build=$1
version=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() {
  echo "FAILED: $*" >&2
  exit 1
}
