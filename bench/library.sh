# Sourced by the benchmark scripts: `library N [one-folder|real-sized]` prints the folder of a
# synthetic library of N files under $work (bench/make_library.py: all in one folder, or of
# songs' size), building it (slow) only the first time.
library() {
  local n=$1 kind=${2:-} dir="$work/library-$1${2:+-$2}"
  if [ ! -f "$dir/.complete" ]; then
    rm -rf "$dir"
    echo "building a library of $n files${kind:+ ($kind)} in $dir ..." >&2
    python3 bench/make_library.py "$dir" "$n" ${kind:+--$kind}
    touch "$dir/.complete"
  fi
  echo "$dir"
}
