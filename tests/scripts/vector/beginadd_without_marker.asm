; "beginadd" without its marker empties the stack and fails.
new vector, v
push 1
push 2
call v, beginadd
