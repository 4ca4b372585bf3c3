# Instructions per 20 ms tick by function group, from `callgrind_annotate --tree=calling
# --inclusive=yes` of a steady stretch (see callgrind_run.sh). A group is a function's inclusive
# count ("*" lines; the largest where annotate lists it more than once), ticks are the calls of the
# tick's own function (Recorder::timer1Tick, or the bare window's Window::step). "rest" is what
# lies outside the tick, the repaint and the archive's thread: the event loop, the timers, the X
# connection.
function count(text) { gsub(/,/, "", text); return text + 0 }
function biggest(key, value) { if (value > got[key]) got[key] = value }
/PROGRAM TOTALS/ { total = count($1) }
/  \*  / {
  for (k in pattern)
    if (index($0, pattern[k])) biggest(k, count($1))
}
/  >   / && (index($0, "Recorder::timer1Tick()") || index($0, "Window::step()")) {
  if (match($0, /\(([0-9,]+)x\)/)) {
    n = count(substr($0, RSTART + 1, RLENGTH - 3))
    if (n > ticks) ticks = n
  }
}
BEGIN {
  pattern["tick"] = "Recorder::timer1Tick()"
  pattern["charts"] = "Form1::drawLine(int"
  pattern["labels"] = "Form1::setLabelText(kelvra::LabelId"
  pattern["backgrounds"] = "Form1::setLabelBackground("
  pattern["clock"] = "Recorder::showTimeOfDay()"
  pattern["link_in"] = "PosixSerialLink::input()"
  pattern["link_out"] = "PosixSerialLink::output("
  pattern["assembly"] = "ReplyAssembly::take("
  pattern["repaint"] = "RepaintPacer::tick()"
  pattern["pictures"] = "PictureLabel::keepPicture()"
  pattern["widgets"] = "QWidgetPrivate::drawWidget("
  pattern["flush"] = "QWidgetRepaintManager::flush()"
  pattern["archive"] = "ArchiveSink::run()"
  pattern["step"] = "Window::step()"
}
END {
  if (!ticks) { print "no ticks found" > "/dev/stderr"; exit 1 }
  printf "ticks %d\n", ticks
  printf "total %.0f\n", total / ticks
  tick = got["tick"] + got["step"]
  printf "tick %.0f\n", tick / ticks
  printf "  charts %.0f\n", got["charts"] / ticks
  printf "  labels %.0f\n", (got["labels"] + got["backgrounds"]) / ticks
  printf "  clock %.0f\n", got["clock"] / ticks
  printf "  link %.0f\n", (got["link_in"] + got["link_out"]) / ticks
  printf "  archive_hand_over %.0f\n", got["assembly"] / ticks
  printf "repaint %.0f\n", got["repaint"] / ticks
  printf "  label_pictures %.0f\n", got["pictures"] / ticks
  # Taking a picture paints the label through drawWidget too.
  printf "  widgets_painted %.0f\n", (got["widgets"] - got["pictures"]) / ticks
  printf "  flush_to_display %.0f\n", got["flush"] / ticks
  printf "archive_thread %.0f\n", got["archive"] / ticks
  printf "rest %.0f\n", (total - tick - got["repaint"] - got["archive"]) / ticks
}
