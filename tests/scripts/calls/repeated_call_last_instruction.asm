; A method whose last instruction calls another, run again and again: each
; call returns into the end of its caller, which then returns.
class k
method inner
  add n, 1
  pop n
end method
method outer
  cthis inner
end method
method twice
  call o, outer
end method
end class
new int, n
new int, i
new k, o
again:
call o, outer
call o, twice
add i, 1
pop i
cmp i, 3
jl again
call n, print
