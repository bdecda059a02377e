new int, n
mov n, 0
call n, rand
