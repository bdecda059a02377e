; An element type other than int, real and string is fatal.
new vector, v
push "float"
call v, type
