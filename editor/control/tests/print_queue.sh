#!/usr/bin/env bash
# Pages printed by a test on a real print queue: a cupsd of this run's own (on a socket in a
# scratch folder, so the machine's printers are untouched) serves a cups-pdf queue, the test
# program prints to it, and each page of the PDF that arrives is rasterised at the screen's 96 dpi
# as <folder>/printed-<n>.png for the program to compare with the screen pages; <folder>/printed.pages
# then holds the page count. The run fails unless exactly one job was printed (a cancelled print
# dialog prints nothing). The cupsd is stopped before the script ends.
#   print_queue.sh <test program> <bin folder> <folder> <gtest filter>
set -uo pipefail
program=$1
bin=$2
name=$3
filter=$4
source "$(dirname "$0")/../../../scripts/wine-env.sh"
PATH=$PATH:/usr/sbin:/sbin

for tool in cupsd lpadmin lpstat pdftoppm; do
    command -v "$tool" >/dev/null || { echo "print_queue: $tool is missing (scripts/setup.sh installs it)"; exit 1; }
done
sudo=""
[ "$(id -u)" = 0 ] || sudo="sudo -n"  # cups-pdf runs only under a cupsd started as root

# cups-pdf writes every queue's PDFs into one folder of the user: runs from other checkouts wait.
exec 9>/tmp/jp-print-queue.lock
flock 9

scratch=$(mktemp -d /tmp/jp-cups.XXXXXX)
chmod 755 "$scratch"
mkdir -p "$scratch"/{spool,cache,run,tmp,log}
folder=$bin/$name
pdfs=$(getent passwd "$(id -un)" | cut -d: -f6)/PDF
cupsd_pid=""
test_pid=""
cleanup() {
    [ -n "$test_pid" ] && kill "$test_pid" 2>/dev/null
    [ -n "$cupsd_pid" ] && $sudo kill "$cupsd_pid" 2>/dev/null && wait "$cupsd_pid" 2>/dev/null
    $sudo rm -rf "$scratch"
}
trap cleanup EXIT
fail() {
    echo "print_queue: $*"
    mkdir -p "$folder" && echo "$*" >"$folder/printed.failed"
}

cat >"$scratch/cups-files.conf" <<EOF
ServerRoot $scratch
RequestRoot $scratch/spool
CacheDir $scratch/cache
StateDir $scratch/run
TempDir $scratch/tmp
AccessLog $scratch/log/access_log
ErrorLog $scratch/log/error_log
PageLog $scratch/log/page_log
Sandboxing relaxed
EOF
cat >"$scratch/cupsd.conf" <<EOF
Listen $scratch/cups.sock
LogLevel warn
Browsing Off
WebInterface No
<Location />
  Order allow,deny
  Allow all
</Location>
<Policy default>
  <Limit All>
    Order deny,allow
  </Limit>
</Policy>
EOF
$sudo cupsd -f -c "$scratch/cupsd.conf" -s "$scratch/cups-files.conf" </dev/null >"$scratch/log/cupsd.out" 2>&1 &
cupsd_pid=$!
export CUPS_SERVER=$scratch/cups.sock
for _ in $(seq 100); do lpstat -r >/dev/null 2>&1 && break; sleep 0.1; done
lpstat -r >/dev/null 2>&1 || { echo "print_queue: cupsd did not start"; cat "$scratch/log/"*; exit 1; }
$sudo env CUPS_SERVER="$CUPS_SERVER" lpadmin -p PDF -v cups-pdf:/ -E -P /usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd 2>/dev/null &&
    $sudo env CUPS_SERVER="$CUPS_SERVER" lpadmin -d PDF ||
    { echo "print_queue: the cups-pdf queue could not be added"; exit 1; }

marker=$scratch/started
touch "$marker"
rm -rf "$folder"
JP_PRINT_QUEUE=1 "$WINE" "$program" --gtest_filter="$filter" --gtest_output=xml:"$name".xml &
test_pid=$!

# The job's PDF, once the queue has finished with it.
pdf=""
for _ in $(seq 600); do
    kill -0 "$test_pid" 2>/dev/null || break
    pdf=$(find "$pdfs" -maxdepth 1 -name '*.pdf' -newer "$marker" 2>/dev/null | head -n1)
    [ -n "$pdf" ] && [ -z "$(lpstat -o 2>/dev/null)" ] && break
    pdf=""
    sleep 0.1
done
if [ -z "$pdf" ]; then
    fail "no PDF arrived in $pdfs"
elif mkdir -p "$scratch/pages" && pdftoppm -r 96 -png "$pdf" "$scratch/pages/p"; then
    mkdir -p "$folder"
    count=0
    for page in $(ls "$scratch/pages" | sort -t- -k2n); do
        count=$((count + 1))
        mv "$scratch/pages/$page" "$folder/printed-$count.png"
    done
    mv "$pdf" "$folder/printed.pdf"
    echo "$count" >"$folder/printed.pages.tmp" && mv "$folder/printed.pages.tmp" "$folder/printed.pages"
else
    fail "pdftoppm could not read $pdf"
fi
wait "$test_pid"
status=$?
test_pid=""
jobs=$(lpstat -W completed -o 2>/dev/null | wc -l)
if [ "$jobs" != 1 ]; then
    echo "print_queue: $jobs jobs were printed, one was expected"
    status=1
fi
exit $status
