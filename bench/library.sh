# Sourced by the benchmark scripts: `library N` prints the folder of a synthetic library of N
# files under $work, building it (bench/make_library.py, slow) only the first time.
library() {
  local n=$1 dir="$work/library-$1"
  if [ ! -f "$dir/.complete" ]; then
    rm -rf "$dir"
    echo "building a library of $n files in $dir ..." >&2
    python3 bench/make_library.py "$dir" "$n"
    touch "$dir/.complete"
  fi
  echo "$dir"
}
