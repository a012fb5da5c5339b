# The framework's control kinds: each is one header and one source in this
# folder (framework/controls/<kind>.h, .cpp) and, when it has tests, one file
# tests/framework/controls/<kind>_test.cpp. A new kind is one line here.
set(TARNIVO_CONTROL_KINDS
    label
    button
    edit
    listview
    progressbar
    image
    panel
    checkbox
    radiobutton
    groupbox
    radiogroup
    memo
    listbox
    combobox
    scrollbar
    trackbar
    updown
    statusbar
    header
    tabcontrol
    pagecontrol
    toolbar
    bitbtn
    speedbutton
    datetimepicker
    scrollbox
    frame
    treeview
    coolbar
)
# Pieces several kinds share: one header and one source each, no tests of
# their own (the kinds that use them test them).
set(TARNIVO_CONTROL_SHARED
    buttonglyph
)
