#!/usr/bin/env bash
# A recording made in parts with scripts/render-parts is the recording made whole: 40-46 s
# as a picture sequence in three parts gives the same files, byte for byte, sound included;
# as a video in four parts joins to the same frame count and duration; and a second in two
# parts, one over ssh to the test's own sshd on a loopback port and one here (":"), joins
# to what one run gives, the picture sequence byte for byte.
set -u
tarvel=$1
data=$2
source "$(dirname "$0")/lib.bash"

parts=$(cd "$(dirname "$0")/../../scripts" && pwd)/render-parts
enter_work_dir "$data"
range=(--from 40 --to 46 --fps 30 --size 160x120)

mkdir whole split
env -u DISPLAY "$tarvel" --capture whole/f%05d.png "${range[@]}" >/dev/null 2>&1 ||
  fail "the whole recording failed"
env -u DISPLAY "$parts" --parts 3 "${range[@]}" --tarvel "$tarvel" split/f%05d.png 2>parts.log ||
  fail "render-parts failed: $(cat parts.log)"
[[ $(find whole -name '*.png' | wc -l) -eq 180 ]] || fail "the whole run wrote $(ls whole | wc -l) files"
[[ -f whole/f01200-01379.wav ]] || fail "no sound beside the pictures: $(ls whole | tail -n 2)"
diff -r whole split >/dev/null || fail "the parts differ from the whole: $(diff -rq whole split | head -n 3)"
[[ -z $(find . -name '.render-parts.*') ]] || fail "render-parts left its working folder"

probe() {
  ffprobe -v error -count_frames -select_streams v:0 \
    -show_entries stream=nb_read_frames:format=duration -of csv=p=0 "$1" | paste -sd ' '
}
env -u DISPLAY "$tarvel" --capture whole.mp4 "${range[@]}" >/dev/null 2>&1 ||
  fail "the whole video failed"
env -u DISPLAY "$parts" --parts 4 "${range[@]}" --tarvel "$tarvel" joined.mp4 2>parts.log ||
  fail "render-parts failed: $(cat parts.log)"
[[ $(probe whole.mp4) == "180 6.000000" ]] || fail "the whole video is $(probe whole.mp4)"
[[ $(probe joined.mp4) == "$(probe whole.mp4)" ]] ||
  fail "joined: $(probe joined.mp4), whole: $(probe whole.mp4)"

# A real ssh host: sshd on a free loopback port with a host key and a client key made here,
# logged into as the current user (root in CI, hence PermitRootLogin; the keys live in a
# temporary folder, hence StrictModes off).
ssh_dir=$WORK/ssh
mkdir -m 700 "$ssh_dir"
ssh-keygen -q -t ed25519 -N '' -f "$ssh_dir/host_key" || fail "ssh-keygen failed"
ssh-keygen -q -t ed25519 -N '' -f "$ssh_dir/client_key" || fail "ssh-keygen failed"
cp "$ssh_dir/client_key.pub" "$ssh_dir/authorized_keys"
port=$(python3 -c 'import socket; s = socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])')
cat >"$ssh_dir/sshd_config" <<CONFIG
Port $port
ListenAddress 127.0.0.1
HostKey $ssh_dir/host_key
AuthorizedKeysFile $ssh_dir/authorized_keys
PidFile $ssh_dir/sshd.pid
PermitRootLogin prohibit-password
StrictModes no
PasswordAuthentication no
KbdInteractiveAuthentication no
UsePAM no
CONFIG
echo "[127.0.0.1]:$port $(cut -d' ' -f1,2 "$ssh_dir/host_key.pub")" >"$ssh_dir/known_hosts"
cat >"$ssh_dir/config" <<CONFIG
Host loopback
  HostName 127.0.0.1
  Port $port
  User $(id -un)
  IdentityFile $ssh_dir/client_key
  IdentitiesOnly yes
  UserKnownHostsFile $ssh_dir/known_hosts
  StrictHostKeyChecking yes
  BatchMode yes
CONFIG
# As root sshd wants its privilege separation folder, which only its service makes.
[[ $(id -u) -ne 0 ]] || mkdir -p -m 755 /run/sshd
/usr/sbin/sshd -f "$ssh_dir/sshd_config" -D -e 2>"$ssh_dir/sshd.log" &
sshd_pid=$!
trap 'kill "$sshd_pid" 2>/dev/null; stop_xvfb; rm -rf "$WORK"' EXIT
for ((i = 0; i < 100; i++)); do
  ssh -F "$ssh_dir/config" loopback true 2>/dev/null && break
  sleep 0.1
done
ssh -F "$ssh_dir/config" loopback true || fail "the test's sshd does not take logins: $(cat "$ssh_dir/sshd.log")"

slice=(--from 28 --to 29 --fps 10 --size 160x120)
hosts=(-S "1/ssh -F $ssh_dir/config loopback" -S 1/:)
data_dir=$(cd "$data" && pwd)
env -u DISPLAY "$tarvel" --capture slice.mp4 "${slice[@]}" >/dev/null 2>&1 || fail "the whole slice failed"
env -u DISPLAY "$parts" "${hosts[@]}" --parts 2 "${slice[@]}" --data "$data_dir" --tarvel "$tarvel" \
  over-ssh.mp4 2>parts.log || fail "render-parts over ssh and here failed: $(cat parts.log)"
grep -q "Accepted publickey" "$ssh_dir/sshd.log" || fail "no part was rendered over ssh"
[[ $(probe slice.mp4) == "10 1.000000" ]] || fail "the whole slice is $(probe slice.mp4)"
[[ $(probe over-ssh.mp4) == "$(probe slice.mp4)" ]] ||
  fail "joined over ssh: $(probe over-ssh.mp4), whole: $(probe slice.mp4)"
sound() {
  ffprobe -v error -select_streams a:0 -show_entries stream=sample_rate,channels,duration \
    -of csv=p=0 "$1"
}
[[ -n $(sound slice.mp4) && $(sound over-ssh.mp4) == "$(sound slice.mp4)" ]] ||
  fail "the sound joined over ssh: $(sound over-ssh.mp4), whole: $(sound slice.mp4)"
mkdir slice-whole slice-parts
env -u DISPLAY "$tarvel" --capture slice-whole/f%05d.png "${slice[@]}" >/dev/null 2>&1 ||
  fail "the whole slice's pictures failed"
env -u DISPLAY "$parts" "${hosts[@]}" --parts 2 "${slice[@]}" --data "$data_dir" --tarvel "$tarvel" \
  slice-parts/f%05d.png 2>parts.log || fail "render-parts of pictures over ssh failed: $(cat parts.log)"
diff -r slice-whole slice-parts >/dev/null ||
  fail "the parts over ssh differ from the whole: $(diff -rq slice-whole slice-parts | head -n 3)"
[[ -z $(find . -name '.render-parts.*') ]] || fail "render-parts left its working folder"

echo "render parts: all passed"
