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
)
