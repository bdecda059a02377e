new int, i
again:
push 1
jmp again
