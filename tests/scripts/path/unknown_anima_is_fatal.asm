new path, p
push "nosuch"
call p, linkanima
