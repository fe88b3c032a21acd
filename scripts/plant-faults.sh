#!/usr/bin/env bash
# Plants faults on purpose and reports which the tests catch. Each fault is a one-line edit
# (a sed script) to a source file or to a file of the generated data set; the script applies
# it, rebuilds, runs the golden schedule with its chart, the schedule against the picture and,
# when those pass, the reference frames and then the frames from several starts (one_show),
# then restores the file. Every fault listed here
# is one a viewer would see, so every one must be caught. By hand, not in CI: a fault that
# only the frames catch takes a few minutes.
#   scripts/plant-faults.sh [BUILD_DIR] [NAME...]   (default build/default; NAMEs: only those)
#   FRAMES_ONLY=1 scripts/plant-faults.sh ...      (skip the schedule: do the frames see it?)
set -uo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
build=$(cd "${1:-build/default}" && pwd)
shift || true
only=("$@")

# name | file (a source path, or data:PATH in the data set) | sed script | what a viewer sees
faults() {
  cat <<'LIST'
front-tags-blend-swapped|src/show/show.cpp|0,/\.source = GL_SRC_COLOR,/s//.source = GL_ONE, .destination = GL_SRC_COLOR,/|the front tags blend as another pair
title-overlay-blend|src/show/show.cpp|s/glBlendFunc(GL_ONE_MINUS_SRC_COLOR, GL_ONE_MINUS_SRC_COLOR);/glBlendFunc(GL_ONE_MINUS_SRC_COLOR, GL_ONE);/|the opening words are laid over the scene differently
title-word-a-beat-late|src/show/show.cpp|s/\.add(beats(i \* BeatPosition::kBeatsPerBar), words/.add(beats(i * BeatPosition::kBeatsPerBar + (i == 2)), words/|the third title word is written a beat late
scratch-three-beats-late|src/show/show.cpp|s/^constexpr int kScratchStart = 168;/constexpr int kScratchStart = 171;/|the scratch animation starts three beats late
graffiti-window-a-beat-late|src/show/show.h|s/kGraffitiWindow{kGraffitiStart, /kGraffitiWindow{kGraffitiStart + kBeatSeconds, /|the graffiti takes over a beat late
graffiti-clear-left-out|src/show/show.cpp|s/^        glClear(GL_COLOR_BUFFER_BIT .*);$/        (void)0;/|the scene stays under the graffiti
hidden-entry-drawn-in-chart|src/show/schedule_chart.cpp|s/^    if (row.seen == Schedule::Seen::Hidden)$/    if (false)/|the schedule's chart draws what the show never shows in colour
chart-labels-packed-tight|src/show/schedule_chart.cpp|s/kAdvance = 0.62;/kAdvance = 0.45;/|the schedule chart's labels run over each other
late-repeat-a-beat-late|src/layers/tag_list.cpp|s/kRepeatLate = 125.76;/kRepeatLate = 126.24;/|the back tags' late repeat comes a beat late
tag-row-skipped|src/layers/tag_list.cpp|s/^\( *\)std::optional<TagPlacement> placement =/\1if (origin.ends_with(":9")) return false;\n&/|the reader drops line 9 of every tag list
tower-material-diffuse|src/layers/tower.cpp|s/const GLfloat diffuse\[\] = {0.8f, 0.8f, 0.8f, 1};/const GLfloat diffuse[] = {0.8f, 0.6f, 0.8f, 1};/|the tower turns purple
tower-burst-on-another-beat|src/layers/tower_beat.cpp|s/kFirstBurstBeat = 3;/kFirstBurstBeat = 2;/|the tower's sparks burst on the second beat of the bar
credits-without-light-map|src/objects/mesh.cpp|s/^    enableLightUnits(lightUnit, \*shared);/    (void)shared;/|the credit models lose the light's fall-off and glow evenly
tag-let-go-drawn-bare|src/layers/tag.cpp|s/^    loadNext();$/    (void)0;/|a tag let go earlier is drawn untextured when its turn comes
flip-book-let-go-drawn-bare|src/layers/frame_anim.cpp|s/^        while (loadNextFrame()) {$/        while (false) {/|a flip-book let go earlier is missing when drawn again
shadow-volumes-facing-flipped|src/objects/volume_facing.cpp|s/^    mirrored = d < 0;/    mirrored = d > 0;/|the shadows on the tower vanish or move
scene-light-diffuse|src/layers/model_lighting.h|0,/{0.3f, 0.3f, 0.3f, 1}, {0.7f, 0.7f, 0.7f, 1},$/s//{0.3f, 0.3f, 0.3f, 1}, {0.7f, 0.5f, 0.7f, 1},/|the turntable and the spider are lit in another colour
sprite-texcoords-mirrored|src/layers/unit_quad.h|s/Upright ? 0.0f : 1.0f;/Upright ? 1.0f : 0.0f;/|every sprite is mirrored left to right
tag-fade-in-twice-as-fast|src/layers/fade_envelope.h|s#(1 / fadeIn) \* t : 1.0;#(2 / fadeIn) * t : 1.0;#|the sprites fade in twice as fast and overshoot
crew-card-a-beat-late|data:vintra/qelvo/Qelvo.txt|s/^can.jpg\t257\t/can.jpg\t258\t/|one crew sprite comes a beat late
credit-card-a-beat-late|data:vintra/info/info.txt|s/^code.jpg\t340\t/code.jpg\t341\t/|the second credit card comes a beat late
front-tag-a-beat-late|data:vintra/tags/front/tagfront.txt|s/^star.jpg\t12\t/star.jpg\t13\t/|a front tag comes a beat late
flash-row-skipped|data:vintra/flash/flash.txt|4d|the flash at beat 89 is gone
camera-path-moved|data:vintra/cameras/turn_b.pos|1s/^8.99 /9.99 /|the second opening camera flight starts a unit to the side
camera-flight-faster|data:vintra/cameras/cameras.txt|s/^turn_b.pos\t16\t32\t16\t/turn_b.pos\t16\t32\t12\t/|the second opening camera flight ends four beats early
camera-path-cut-short|data:vintra/cameras/turn_b.pos|1,10d|the second opening camera flight starts further along its path
tower-steps-per-drawn-frame|src/layers/tower.cpp|s/const int64_t due = steps.dueAt(localTime);/const int64_t due = stepsTaken_ + 1;/|the tower's light and sparks run at the frame rate, and a seek starts them over
tower-replay-one-step-short|src/layers/tower.cpp|s/^        restart();$/        restart();\n        ++stepsTaken_;/|after a seek back the tower's light, sparks and flicker are a step behind the show's
burst-at-first-drawn-frame|src/layers/tower.cpp|s/^    stepTo(due);$/    stepTo(due);\n    static bool firstDraw = true;\n    if (firstDraw) {\n        firstDraw = false;\n        burstSparks->reset();\n    }/|a burst of sparks wherever playback entered the tower scene
gles-positional-as-directional|src/render/gles/draw.cpp|s/position\[3\] != 0 ? kLightPositional : kLightDirectional;/position[3] != 0 ? kLightDirectional : kLightDirectional;/|through the GL layer a near light lights like the sun
gles-texgen-s-t-swapped|src/render/gles/draw.cpp|s/u.objectS, unit.s.objectPlane/u.objectS, unit.T.objectPlane/;s/u.objectT, unit.t.objectPlane/u.objectT, unit.s.objectPlane/;s/unit.T.objectPlane/unit.t.objectPlane/|through the GL layer the light maps lie across the models
gles-list-drops-second-unit|src/render/gles/list_calls.cpp|s/^        glGenVertexArrays(1, \&command.array);/        for (Vertex\& v : command.vertices) v.texCoord[1][0] = v.texCoord[1][1] = 0;\n&/|through the GL layer compiled meshes lose their second texture's placement
gles-combine-operands-swapped|src/render/gles/program_cache.cpp|s/argument(unit.sourceRgb\[i\], unit.operandRgb\[i\], u, false)/argument(unit.sourceRgb[i], unit.operandRgb[i < 2 ? 1 - i : i], u, false)/|through the GL layer the inverting texture environment inverts the wrong picture
gles-batch-across-texture|src/render/gles/draw.cpp|s/joinable(mode) \&\& b.setup == setup) {/joinable(mode) \&\& (std::memcpy(setup.textures, b.setup.textures, sizeof setup.textures), b.setup == setup)) {/|through the GL layer a sprite drawn after another with another picture shows the first one's
gles-batch-across-blend|src/render/gles/draw.cpp|s/joinable(mode) \&\& b.setup == setup) {/joinable(mode) \&\& (setup.fixed = b.setup.fixed, b.setup == setup)) {/|through the GL layer a glow drawn after an opaque quad of the same picture covers instead of adding
copy-taken-before-resolve|src/layers/copy2texture.cpp|/render::resolvePicture({screen.left/{h;d};/glCopyTexImage2D(GL_TEXTURE_2D/G|with samples the overlays copy the picture before it is resolved: the scene behind the opening goes black
still-read-unresolved|src/shell/main_loop.cpp|s/^    render::resolvePicture();$/    (void)0;/|with samples a still is read before the picture is resolved: black or a stale frame
LIST
}

wanted() {
  [[ ${#only[@]} -eq 0 ]] && return 0
  local name
  for name in "${only[@]}"; do [[ $name == "$1" ]] && return 0; done
  return 1
}

work=$(mktemp -d)
pending=""  # "source backup" of a planted fault not yet restored
restore() {
  if [[ -n $pending ]]; then
    # A fresh time stamp, so that the build sees the file change back.
    cp "${pending#* }" "${pending%% *}"
    pending=""
  fi
}
finish() {
  restore
  cmake --build "$build" --target tarvel >/dev/null 2>&1 ||
    echo "plant-faults: rebuilding the restored tree failed" >&2
  rm -rf "$work"
}
trap finish EXIT
trap 'exit 130' INT
trap 'exit 143' TERM

echo "building and generating the data set..."
cmake --build "$build" --target tarvel vintra-gen frame_compare x-window >/dev/null || exit 1
"$build/vintra-gen" "$work/pristine/vintra" >/dev/null 2>&1 || { echo "vintra-gen failed" >&2; exit 1; }

# run_tests DATA_DIR FILE: prints what caught the fault, or "MISSED". A fault in the GL
# layer is for its GL tests, which draw each feature through both renderers.
run_tests() {
  local data=$1 file=$2 log=$work/test.log
  if [[ $file == src/render/gles/* ]]; then
    if ! cmake --build "$build" --target tarvel_gl_tests >"$log" 2>&1; then
      echo "NOT BUILT: the GL tests"
    elif ! xvfb-run -a -s "-screen 0 1280x1024x24" "$build/tests/tarvel_gl_tests" \
      --gtest_filter='GlesLayer.*' >"$log" 2>&1; then
      echo "gl tests: $(grep '^\[  FAILED  \] GlesLayer' "$log" | sort -u | wc -l) failed, first $(grep -m1 -oE '^\[  FAILED  \] GlesLayer\.[A-Za-z]{1,24}' "$log" | cut -c24-)"
    else
      echo "MISSED"
    fi
    return
  fi
  if [[ -z ${FRAMES_ONLY:-} ]] &&
    ! bash tests/e2e/schedule.sh "$build/tarvel" "$data" x x "$build/tests/frame_compare" \
      >"$log" 2>&1; then
    echo "schedule: $(grep -m1 -E '^[-+] |^FAIL' "$log" | tr -s ' ' | cut -c1-38)"
  elif [[ -z ${FRAMES_ONLY:-} ]] &&
    ! bash tests/e2e/schedule_picture.sh "$build/tarvel" "$data" >"$log" 2>&1; then
    echo "schedule against picture: $(grep -m1 '^FAIL ' "$log" | cut -c6-40)"
  elif ! bash tests/e2e/reference_frames.sh "$build/tarvel" "$data" x x \
    "$build/tests/frame_compare" >"$log" 2>&1; then
    echo "frames: $(grep -c '^FAIL: .* differs' "$log") moments, first $(grep -m1 -oE '^FAIL: [^ ]+' "$log" | cut -c7-)"
    rm -f tests/e2e/reference/*.got.png
  elif ! bash tests/e2e/one_show.sh "$build/tarvel" "$data" "$build/tests/x-window" \
    >"$log" 2>&1; then
    echo "one show: $(grep -m1 '^FAIL' "$log" | cut -c7-50)"
  else
    echo "MISSED"
  fi
}

results=()
while IFS='|' read -r name file script what; do
  wanted "$name" || continue
  data=$work/pristine
  if [[ $file == data:* ]]; then
    data=$work/faulty
    rm -rf "$data" && cp -r "$work/pristine" "$data"
    target=$data/${file#data:}
  else
    target=$root/$file
    cp -p "$target" "$work/backup"
    pending="$target $work/backup"
  fi
  before=$(md5sum <"$target")
  sed -i "$script" "$target"
  if [[ $(md5sum <"$target") == "$before" ]]; then
    outcome="NOT APPLIED (the line is no longer there)"
  # Built for a data-set fault too: the last source fault's restore must be built.
  elif ! cmake --build "$build" --target tarvel >"$work/build.log" 2>&1; then
    outcome="NOT BUILT: $(grep -m1 error: "$work/build.log" | cut -c1-60)"
  else
    outcome=$(run_tests "$data" "$file")
  fi
  restore
  results+=("$(printf '%-30s %-48s %s' "$name" "$outcome" "$what")")
  echo "${results[-1]}"
done < <(faults)

echo
printf '%-30s %-48s %s\n' "fault" "caught by" "what a viewer sees"
printf '%s\n' "${results[@]}"
missed=$(printf '%s\n' "${results[@]}" | grep -c -E '  (MISSED|NOT )' || true)
echo "$((${#results[@]} - missed)) of ${#results[@]} caught"
[[ $missed -eq 0 ]]
