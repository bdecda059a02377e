; A method that a loop calls again and again turns the debug level to 4 on
; its second call: that call is reported when it returns, and every call
; after it.
class k
method m
  add n, 1
  pop n
  cmp n, 2
  jne done
  push 4
  call engine, setdebugstate
done:
end method
end class
new int, n
new int, i
new k, o
again:
call o, m
add i, 1
pop i
cmp i, 4
jl again
push 0
call engine, setdebugstate
