; Start-up and exit alone.
push 1
