# The real program under valgrind's memcheck, over the command lines that
# take every path a process can take here: no errors, no byte left behind.
valgrind_stage() {
  local exe=build/native/bootspan long status args line locale
  long=$(head -c 100000 /dev/zero | tr '\0' 'x')
  local -a lines=("" "/a" "/f|%Y+%D %H:%M:%S\\n" "/s|localhost" "/s|far.example.invalid"
                  "/x" "/?" "/a|/f|x" "/f" "/s" "$long" "/s|$long")
  for line in "${lines[@]}"; do
    IFS='|' read -r -a args <<<"$line"
    for locale in C de_DE.UTF-8; do
      status=0
      LC_ALL=$locale valgrind -q --error-exitcode=99 --leak-check=full \
        --show-leak-kinds=all --errors-for-leak-kinds=all \
        "$exe" "${args[@]}" >/dev/null 2>build/valgrind.log || status=$?
      if [ "$status" -eq 99 ] || [ -s build/valgrind.log ]; then
        echo "valgrind: bootspan ${line:0:40} ($locale)"
        cat build/valgrind.log
        return 1
      fi
    done
  done
  echo "valgrind memcheck: ${#lines[@]} command lines in 2 locales, no errors, nothing lost"
}

stage "valgrind memcheck of the program"
if ! missing valgrind valgrind; then
  run valgrind valgrind_stage
fi
