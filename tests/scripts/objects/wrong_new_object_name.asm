new int, "9x"
