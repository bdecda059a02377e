again:
spush 1
jmp again
