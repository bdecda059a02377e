new int, x
spop x
