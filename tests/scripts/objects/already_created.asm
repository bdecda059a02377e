new int, x
new real, x
