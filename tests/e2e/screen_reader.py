#!/usr/bin/python3
# What a screen reader reads of Tovu over the accessibility bus, a line for each menu and control: role, name, check
# mark and shortcut; after "=", the list's selected entry and the code box's text.
import pyatspi


def about(a):
    role, words = a.getRoleName(), [a.name, "checked" if a.getState().contains(pyatspi.STATE_CHECKED) else ""]
    words += [a.queryAction().getKeyBinding(0)] if role in ("menu item", "push button") else []
    words += ["="] + [e.name for e in a if e.getState().contains(pyatspi.STATE_SELECTED)] if role == "list" else []
    words += ["=", a.queryText().getText(0, -1)] if role == "text" else []
    return " ".join(word for word in words if word)


def show(a):
    role = a.getRoleName()
    if role in ("menu bar", "popup menu"):
        print("menu:", " | ".join(about(item) for item in a if item.getRoleName() == "menu item"))
    elif role in ("list", "push button", "text", "radio button"):
        print(f"{role}: {about(a)}")
    for child in a if role != "list" else []:
        show(child)


show(next(app for app in pyatspi.Registry.getDesktop(0) if app and app.name == "tovu"))
