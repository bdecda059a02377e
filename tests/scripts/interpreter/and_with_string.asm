and "a", 1
