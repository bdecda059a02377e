call nothere, print
