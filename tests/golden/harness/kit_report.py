"""The last words of a kit script: each failure on a line of its own, then
one line that names the check and its outcome."""


def report(failures, title, outcome=None):
    """Prints the failures and "TITLE: OUTCOME" (by default "all passed" or
    "N failures"); returns the script's exit status."""
    for failure in failures:
        print("FAILED: " + failure)
    if outcome is None:
        outcome = "%d failures" % len(failures) if failures else "all passed"
    print("%s: %s" % (title, outcome))
    return 1 if failures else 0
