"""Owns the X clipboard and never answers for it. Prints "owning" once the
clipboard is its own; at the first request for UTF-8 text it prints "asked"
and kills the X server, whose pid it was given, so that the X server goes
while the requester waits for the text.
  silent_clipboard_owner.py X-SERVER-PID"""
import os
import signal
import sys

from Xlib import X, display

x_server = int(sys.argv[1])
connection = display.Display()
clipboard = connection.intern_atom("CLIPBOARD")
utf8_string = connection.intern_atom("UTF8_STRING")
window = connection.screen().root.create_window(0, 0, 1, 1, 0, X.CopyFromParent, X.InputOnly)
window.set_selection_owner(clipboard, X.CurrentTime)
if connection.get_selection_owner(clipboard) != window:
    sys.exit("the clipboard could not be taken")
print("owning", flush=True)

while True:
    event = connection.next_event()
    if event.type == X.SelectionRequest and event.target == utf8_string:
        print("asked", flush=True)
        os.kill(x_server, signal.SIGKILL)
        break
