new int, x
pop x
