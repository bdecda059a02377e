new int, x
