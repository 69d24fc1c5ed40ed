# The tests that run under node: filled in below.
