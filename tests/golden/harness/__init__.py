"""The golden test harness: reads case files, builds each case's directory,
runs the program and compares what it wrote with what the case expects."""
